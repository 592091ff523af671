#!/usr/bin/python3
"""A blind player wins a game with the screen reader Orca: the game runs on a private
desktop with Orca speaking through speech-dispatcher, whose only voice writes down
every utterance. The player acts by keys on what Orca said alone: it hears the
question and answers, finds the correct answer in the question sources, uses the
lifelines, waits for the clock's warning, takes the money, gives a name and hears
its row, reads a rules page, then loses a game. Exits 77 (skipped) where the
display, the buses, speech-dispatcher or Orca cannot start.

usage: orca_play.py GAME_BINARY DATA_FOLDER QUESTION_SOURCES_FOLDER
"""
import glob
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import DesktopSession  # noqa: E402

# Words the speech server puts for punctuation in Russian and English: none of them
# should reach the player from the game's own texts.
PUNCTUATION_WORDS = ("двоеточие", "кавычка", "тире", "дефис", "троеточие", "косая черта",
                     "colon", "quote", "dash", "ellipsis", "slash")

# What Tab can reach; Orca's echo of the key itself comes first and is not one of them.
CONTROLS = ("Ответ ", "50 на 50", "Звонок другу", "Мнение зала", "Взять деньги")


def normal(text):
    """Text compared as heard: letters and digits only, lower case, ё as е."""
    return re.sub(r"[^0-9a-zа-я]+", "", text.lower().replace("ё", "е"))


def question_sources(folder):
    """Question text (normalised) -> correct answer (normalised), from every source."""
    known = {}
    for path in glob.glob(os.path.join(folder, "*.txt")):
        question = None
        with open(path, encoding="utf-8") as f:
            for line in f:
                if line.startswith("? "):
                    question = normal(line[2:])
                elif line.startswith("+ ") and question:
                    known[question] = normal(line[2:])
    return known


class Player:
    def __init__(self, session, known):
        self.s = session
        self.known = known
        self.failures = []
        self.heard_from = 0  # utterances before this were heard already

    def check(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        sys.stdout.flush()
        if not ok:
            self.failures.append(what)
        return ok

    def key(self, *keys):
        self.s.keys(*keys, window_class="fartovik")

    def listen(self, start, seconds=20, whole=True):
        """`start`: the words the utterance begins with, or a tuple of choices."""
        """Waits for an utterance beginning with `start` after what was heard, and, with
        `whole`, for the rest of what Orca says with it (the speech server says it
        sentence by sentence). Returns the words heard together, or None."""
        first = self.s.wait_for_speech(lambda u: u.text.startswith(start), seconds, self.heard_from)
        if first is None:
            return None
        said = self.s.speech()
        i = next(k for k in range(self.heard_from, len(said)) if said[k].began == first.began and
                 said[k].pid == first.pid)
        if whole:
            # The sentences follow each other closely; a second and a half of silence
            # after the last one ends them.
            end = time.time() + 40
            count, quiet_since = -1, time.time()
            while time.time() < end:
                said = self.s.speech()
                if len(said) != count or not said[-1].finished:
                    count, quiet_since = len(said), time.time()
                elif time.time() - quiet_since > 1.5:
                    break
                time.sleep(0.1)
            said = self.s.speech()
        group = [said[i]]
        for u in said[i + 1:]:
            # One announcement's sentences go out one after another within a moment.
            if u.began - group[-1].began > 25:
                break
            group.append(u)
        self.heard_from = i + len(group)
        words = " ".join(u.text for u in group)
        cut = [u for u in group if not u.finished]
        print("heard:", words, "(cut short: %s)" % cut if cut else "")
        return words

    def expect(self, start, what, seconds=20, whole=True):
        words = self.listen(start, seconds, whole)
        self.check(words is not None, what + (": «" + words + "»" if words else " (never said «%s…»)" % (start,)))
        if words:
            noise = [w for w in PUNCTUATION_WORDS if w in words.lower()]
            self.check(not noise, "no punctuation read aloud in «%s…»: %s" % (words[:40], noise))
        return words or ""

    def choose(self, letter, verdict):
        """Answers by the letter's key, and hears the choice taken and the verdict."""
        self.key(letter.lower())
        self.expect("Ответ %s принят" % letter, "the choice is confirmed", 10, whole=False)
        return self.expect(verdict, "the verdict «%s…»" % verdict, 15)

    def hear_question(self, number):
        words = self.expect("Вопрос %d на" % number, "question %d read whole with its sum" % number, 40)
        m = re.match(r"Вопрос \d+ на (\d+)\. (.*?) Ответ A, (.*?) Ответ B, (.*?) Ответ C, (.*?) Ответ D, (.*)$", words)
        if not self.check(m is not None, "the question is followed by the four answers A to D"):
            return None, {}
        question = normal(m.group(2))
        answers = {letter: normal(m.group(3 + i)) for i, letter in enumerate("ABCD")}
        correct = self.known.get(question)
        self.check(correct is not None, "the question heard is one of the sources: " + m.group(2))
        right = [letter for letter, text in answers.items() if text == correct]
        self.check(len(right) == 1, "exactly one answer heard is the correct one")
        return (right[0] if right else None), answers


def play(s, known):
    p = Player(s, known)
    p.expect("Чтобы начать новую игру, нажмите F2", "the invitation at launch", 30)

    # The rules, page by page.
    p.key("F1")
    page = p.expect("Правила", "the rules' first page", 10)
    p.check(re.search(r"Страница 1 из \d+\.$", page) is not None, "the page says which page of how many it is")
    p.key("Right")
    page = p.expect("Правила", "the rules' next page", 10)
    p.check("Страница 2 из" in page, "the next page is page 2")
    p.key("Escape")
    p.expect("Чтобы начать новую игру", "closing the rules tells how to start again", 10)

    p.key("s")
    p.expect("Звук выключен", "the sound switched off is told", 10, whole=False)
    p.key("s")
    p.expect("Звук включён", "and on again", 10, whole=False)

    # Question 1: 50/50, then the correct answer.
    p.key("F2")
    right, answers = p.hear_question(1)
    if right is None:
        return p.failures
    p.key("1")
    left = p.expect("Остались ответы", "50/50 tells the two answers left", 10)
    m = re.match(r"Остались ответы ([ABCD]), .*, и ([ABCD]), ", left)
    p.check(m is not None and right in m.groups(), "the correct answer is among the two left")
    # Tab goes round the answers still standing and the lifelines left; the removed
    # answers are skipped.
    reached = []
    for _ in range(5):
        p.key("Tab")
        reached.append(p.expect(CONTROLS, "Tab reaches a control", 5, whole=False))
    print("Tab reached:", reached)
    p.check(m is not None and all(any(w.startswith("Ответ %s, " % letter) for w in reached) for letter in m.groups()),
            "Tab reaches both answers left")
    p.check(not any(w.startswith("Ответ %s" % letter) for w in reached for letter in "ABCD"
                    if m is None or letter not in m.groups()), "Tab skips the removed answers")
    p.check(any(w.startswith("Звонок другу") for w in reached), "Tab reaches the lifelines with their names")
    p.choose(right, "Верно! Вы выиграли 100")

    # Question 2: the poll and the friend.
    right, answers = p.hear_question(2)
    if right is None:
        return p.failures
    p.key("3")
    poll = p.expect("Мнение зала", "the poll's shares", 20)
    p.check(re.search(r"A, \d+ процент(а|ов)?\. B, \d+ процент", poll) is not None,
            "the shares are read with an inflected «процент»")
    p.key("2")
    p.expect("Друг говорит", "the friend's words", 30)
    # The friend gave thirty seconds more: time to hear the question again, and the clock.
    p.key("r")
    p.expect("Вопрос 2 на 200", "R says the question again", 10)
    p.key("t")
    p.expect("Осталось", "T tells the seconds left", 10, whole=False)
    p.choose(right, "Верно! Вы выиграли 200")

    # Question 3: listen until the clock warns, then answer.
    right, answers = p.hear_question(3)
    if right is None:
        return p.failures
    p.expect("Осталось 10 секунд", "the clock warns at 10 seconds left", 60, whole=False)
    # The answer by Tab and Space, as a player who listens reaches it.
    for _ in range(4):
        p.key("Tab")
        if p.expect(CONTROLS, "Tab reaches a control", 5, whole=False).startswith("Ответ %s, " % right):
            break
    p.key("space")
    p.expect("Верно! Вы выиграли 300", "the verdict of question 3", 15)

    # Question 4: take the money, give a name, hear the row.
    p.hear_question(4)
    p.key("ctrl+m")
    record = p.expect("Вы забрали деньги", "taking the money is told", 15)
    p.check("Ваш выигрыш 300." in record and "Введите имя" in record, "with the sum and the name asked for")
    p.key("ctrl+a")
    s.type_text("Slepoy")
    p.key("Return")
    board = p.expect("Таблица лидеров", "the leaderboard opens", 15)
    p.check("место 1, Slepoy, 300" in board, "the player's new row is read with its place")
    p.key("Return")
    p.expect("Чтобы начать новую игру", "the start screen again", 10)

    # A second game, lost on its first question.
    p.key("F2")
    right, answers = p.hear_question(1)
    if right is None:
        return p.failures
    wrong = next(letter for letter in "ABCD" if letter != right)
    verdict = p.choose(wrong, "Неверно.")
    p.check(("Правильный ответ %s, " % right) in verdict and "Ваш выигрыш 0." in verdict,
            "the verdict names the correct answer and what goes home")
    # The panel opens as the verdict is spoken; its words may come with it.
    if "Проигрыш." not in verdict:
        p.expect("Проигрыш", "the loss panel", 15)
    p.key("Return")
    board = p.expect("Таблица лидеров", "the board after the loss", 10)
    p.check("Первое место, Slepoy, 300" in board, "the board without a row of the player's names the best")
    p.key("Return")
    p.expect("Чтобы начать новую игру", "the start screen after the loss", 10)
    return p.failures


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    game, data, sources = sys.argv[1:]
    known = question_sources(sources)
    with DesktopSession() as s:
        s.start_display_and_buses()
        s.use_russian_locale()
        s.start_window_manager()
        s.start_speech()
        s.start_orca()
        shutil.copy(game, os.path.join(s.work, "fartovik"))
        shutil.copytree(data, os.path.join(s.work, "Data"))
        game_env = dict(s.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        s.start([os.path.join(s.work, "fartovik")], env=game_env, cwd=s.work)
        started = time.time()
        failures = play(s, known)
        print("-- the game as Orca spoke it (%.0f s):" % (time.time() - started))
        for u in s.speech():
            print("  ", u)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
