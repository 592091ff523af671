#pragma once

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
