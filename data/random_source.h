#pragma once

#include <QList>
#include <QRandomGenerator>

/// Uniform numbers in [0, 1). The game reseeds before some draws; a generator may
/// treat that as a hint, as long as every number it gives stays uniform.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual double Next() = 0;
  virtual void Reseed() {}
};

/// The game's generator: seeded once per run from the system, so reseeding never
/// makes two draws in the same clock tick repeat each other.
class SystemRandomSource : public RandomSource {
 public:
  SystemRandomSource() : m_generator(QRandomGenerator::securelySeeded()) {}
  double Next() override { return m_generator.generateDouble(); }

 private:
  QRandomGenerator m_generator;
};

/// Plays back the numbers a test scripted, then falls back to a fixed seed, so a
/// test states the draws it cares about and still runs to the end.
class ScriptedRandomSource : public RandomSource {
 public:
  explicit ScriptedRandomSource(QList<double> script = {}, quint32 seed = 1)
      : m_script(std::move(script)), m_fallback(seed) {}
  double Next() override {
    ++drawn;
    return m_script.isEmpty() ? m_fallback.generateDouble() : m_script.takeFirst();
  }
  void Reseed() override { ++reseeds; }
  void Push(std::initializer_list<double> values) { m_script.append(QList<double>(values)); }

  int drawn = 0;
  int reseeds = 0;

 private:
  QList<double> m_script;
  QRandomGenerator m_fallback;
};
