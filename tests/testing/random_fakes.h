#pragma once

#include <QList>
#include <QRandomGenerator>

#include <initializer_list>
#include <utility>

#include "data/random_source.h"

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

/// A generator stuck on one value, as a clock-seeded one can be when reseeded twice
/// in the same clock tick.
class StuckRandomSource : public RandomSource {
 public:
  explicit StuckRandomSource(double value) : m_value(value) {}
  double Next() override {
    ++drawn;
    return m_value;
  }
  long long drawn = 0;

 private:
  double m_value;
};
