"""A private desktop for tests that play the game as a person would: an X display
(Xvfb), a D-Bus session, the accessibility bus, and on request a window manager,
a speech server whose only voice writes down what it is asked to say, and the
screen reader Orca. Whatever cannot start makes the test exit 77 (skipped).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77

# What the speech server's one voice runs for every utterance: it notes the text
# with the time it began, "speaks" it for a time that grows with its length, and
# notes the end; an utterance cut short by the next one has no end mark.
SPEAKER = r'''#!/usr/bin/python3
import os, sys, time
log, per_char = sys.argv[1], float(sys.argv[2])
text = sys.stdin.read().strip()
if text:
    begun = time.time()
    with open(log, "a", encoding="utf-8") as f:
        f.write("SAY %.3f %d %s\n" % (begun, os.getpid(), text.replace("\n", " ")))
    time.sleep(min(0.3 + per_char * len(text), 20))
    with open(log, "a", encoding="utf-8") as f:
        f.write("END %.3f %d\n" % (time.time(), os.getpid()))
'''


def skip(why):
    print("SKIP:", why)
    sys.stdout.flush()
    sys.exit(SKIP)


def need(tool):
    path = shutil.which(tool) or (tool if os.path.exists(tool) else None)
    if not path:
        skip(tool + " is missing")
    return path


class Utterance:
    def __init__(self, began, pid, text):
        self.began, self.pid, self.text = began, pid, text
        self.finished = False

    def __repr__(self):
        return "«%s»%s" % (self.text, "" if self.finished else " (cut short)")


class DesktopSession:
    """Use as a context manager; everything it started ends with it."""

    def __init__(self, display_from=91):
        self.work = tempfile.mkdtemp(prefix="fartovik-desktop-")
        self.procs = []
        self.bus_pid = None
        self.env = dict(os.environ, HOME=self.work, XDG_DATA_HOME=os.path.join(self.work, "share"),
                        XDG_CONFIG_HOME=os.path.join(self.work, "config"),
                        XDG_CACHE_HOME=os.path.join(self.work, "cache"),
                        XDG_RUNTIME_DIR=self.work)
        self.env.pop("SPEECHD_ADDRESS", None)
        self.display_from = display_from
        self.speech_log = os.path.join(self.work, "speech.log")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self, proc_args, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        proc = subprocess.Popen(proc_args, env=kwargs.pop("env", self.env), **kwargs)
        self.procs.append(proc)
        return proc

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        if self.bus_pid:
            try:
                os.kill(int(self.bus_pid), 15)  # the session bus dbus-launch started for us
            except (OSError, ValueError):
                pass
        if os.environ.get("FARTOVIK_KEEP_DESKTOP"):
            print("kept:", self.work)
        else:
            shutil.rmtree(self.work, ignore_errors=True)

    def start_display_and_buses(self):
        xvfb = need("Xvfb")
        need("dbus-launch")
        need("xdotool")
        launcher = need("/usr/libexec/at-spi-bus-launcher")
        display = None
        for n in range(self.display_from, self.display_from + 40):
            if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
                display = ":%d" % n
                break
        if display is None:
            skip("no free X display")
        self.start([xvfb, display, "-screen", "0", "1024x768x24"])
        self.env["DISPLAY"] = display
        for _ in range(100):
            if subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                break
            time.sleep(0.1)
        else:
            skip("Xvfb did not start")
        out = subprocess.run(["dbus-launch", "--sh-syntax"], env=self.env, capture_output=True, text=True)
        if out.returncode != 0:
            skip("no D-Bus session: " + out.stderr.strip())
        for line in out.stdout.splitlines():
            if line.startswith("DBUS_SESSION_BUS_ADDRESS=") or line.startswith("DBUS_SESSION_BUS_PID="):
                key, value = line.rstrip(";").split("=", 1)
                self.env[key] = value.strip("'")
        self.bus_pid = self.env.get("DBUS_SESSION_BUS_PID")
        self.start([launcher, "--launch-immediately"])
        time.sleep(1.0)

    def use_russian_locale(self):
        """The screen reader speaks its own words (roles, states) in Russian, as a
        Russian player hears them; a private copy of the locale where the system has
        none. Without one it speaks English, which the checks do not depend on."""
        root = os.path.join(self.work, "locale")
        if shutil.which("localedef") and os.path.exists("/usr/share/i18n/locales/ru_RU"):
            os.makedirs(root, exist_ok=True)
            subprocess.run(["localedef", "-i", "ru_RU", "-f", "UTF-8", os.path.join(root, "ru_RU.UTF-8")],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
            if os.path.isdir(os.path.join(root, "ru_RU.UTF-8")):
                self.env["LOCPATH"] = root
        for key in ("LC_ALL", "LANGUAGE"):
            self.env.pop(key, None)
        self.env["LANG"] = "ru_RU.UTF-8"

    def start_window_manager(self):
        wm = shutil.which("metacity") or shutil.which("openbox")
        if not wm:
            skip("no window manager (metacity or openbox)")
        self.start([wm] + (["--replace"] if wm.endswith("metacity") else []))
        time.sleep(1.0)

    def start_speech(self, seconds_per_char=0.03):
        server = need("speech-dispatcher")
        generic = "/usr/lib/speech-dispatcher-modules/sd_generic"
        if not os.path.exists(generic):
            skip("speech-dispatcher's generic module is missing")
        conf = os.path.join(self.work, "speechd")
        os.makedirs(os.path.join(conf, "modules"), exist_ok=True)
        speaker = os.path.join(conf, "speaker.py")
        with open(speaker, "w", encoding="utf-8") as f:
            f.write(SPEAKER)
        os.chmod(speaker, 0o755)
        # Symbols are spoken as the system's own server speaks them ("двоеточие" …),
        # so that punctuation read aloud shows in the log.
        with open(os.path.join(conf, "speechd.conf"), "w", encoding="utf-8") as f:
            f.write('LogLevel 3\nLogDir "%s"\nDefaultVolume 100\nSymbolsPreproc "char"\n'
                    'SymbolsPreprocFile "gender-neutral.dic"\nSymbolsPreprocFile "font-variants.dic"\n'
                    'SymbolsPreprocFile "symbols.dic"\nSymbolsPreprocFile "emojis.dic"\n'
                    'SymbolsPreprocFile "orca.dic"\nSymbolsPreprocFile "orca-chars.dic"\n'
                    'AddModule "logger" "sd_generic" "logger.conf"\nDefaultModule logger\n'
                    'DefaultLanguage "ru"\nAudioOutputMethod "libao"\n' % conf)
        # The voice plays nothing: libao's null device stands in for a sound card.
        with open(os.path.join(self.work, ".libao"), "w", encoding="utf-8") as f:
            f.write("default_driver=null\n")
        with open(os.path.join(conf, "modules", "logger.conf"), "w", encoding="utf-8") as f:
            f.write('GenericExecuteSynth "printf %%s \\\'$DATA\\\' | %s %s %s"\n'
                    'AddVoice "ru" "MALE1" "ru"\nAddVoice "en" "MALE1" "en"\n'
                    'GenericLanguage "ru" "ru" "utf-8"\nGenericLanguage "en" "en" "utf-8"\n'
                    'DefaultVoice "ru"\n' % (speaker, self.speech_log, seconds_per_char))
        socket = os.path.join(self.work, "speechd.sock")
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        self.start([server, "-s", "-t", "0", "-C", conf, "-c", "unix_socket", "-S", socket,
                    "-L", conf])
        for _ in range(50):
            if os.path.exists(socket):
                break
            time.sleep(0.1)
        else:
            skip("speech-dispatcher did not start")

    def start_orca(self):
        orca = need("orca")
        prefs = os.path.join(self.work, "orca")
        os.makedirs(prefs, exist_ok=True)
        self.orca_debug = os.path.join(self.work, "orca-debug.txt")
        args = [orca, "--replace", "-u", prefs]
        if os.environ.get("FARTOVIK_ORCA_DEBUG"):
            args += ["--debug-file", self.orca_debug]
        self.start(args, stdout=open(os.path.join(self.work, "orca.out"), "w"), stderr=subprocess.STDOUT)
        # Orca says it has started before it listens to anything.
        if not self.wait_for_speech(lambda u: True, 30):
            skip("Orca did not start speaking")

    def speech(self):
        """Every utterance so far, oldest first."""
        said = []
        by_pid = {}
        try:
            with open(self.speech_log, encoding="utf-8") as f:
                lines = f.read().splitlines()
        except OSError:
            return said
        for line in lines:
            parts = line.split(" ", 3)
            if parts[0] == "SAY" and len(parts) == 4:
                u = Utterance(float(parts[1]), parts[2], parts[3])
                said.append(u)
                by_pid[u.pid] = u
            elif parts[0] == "END" and len(parts) >= 3 and parts[2] in by_pid:
                by_pid[parts[2]].finished = True
        return said

    def wait_for_speech(self, test, seconds, since=0):
        """The first utterance from index `since` on that passes `test`, or None."""
        end = time.time() + seconds
        while time.time() < end:
            for u in self.speech()[since:]:
                if test(u):
                    return u
            time.sleep(0.1)
        return None

    def keys(self, *keys, window_class=None):
        args = ["xdotool"]
        if window_class:
            args += ["search", "--sync", "--onlyvisible", "--class", window_class, "windowfocus", "--sync"]
        subprocess.run(args + ["key", "--delay", "80"] + list(keys), env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def type_text(self, text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
