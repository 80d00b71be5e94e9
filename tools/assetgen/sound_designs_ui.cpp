// Interface and hero sounds: short tonal blips, chimes and the hero's
// movements.

#include <cmath>

#include "sound_designs.h"
#include "sound_render.h"
#include "synth.h"

namespace assetgen::sfx {

using namespace synth;

Samples MenuMove(int rate) {
  Oscillator tone(rate), overtone(rate);
  Noise noise(11);
  Biquad hp;
  hp.SetHighpass(3000, 0.7, rate);
  return Render(rate, 0.09, [&](double t) {
    const double f = 1250.0 + 300.0 * ExpDecay(t, 0.01);
    const double body = tone.Sine(f) + 0.25 * overtone.Sine(2 * f);
    const double tick = hp.Process(noise.White()) * ExpDecay(t, 0.002);
    return body * AttackDecay(t, 0.002, 0.018) + 0.3 * tick;
  });
}

Samples MenuConfirm(int rate) {
  struct Blip {
    double start, note;
  };
  const Blip blips[] = {{0.0, 79}, {0.075, 86}};
  Oscillator tri[2] = {Oscillator(rate), Oscillator(rate)}, sine[2] = {Oscillator(rate), Oscillator(rate)};
  return Render(rate, 0.32, [&](double t) {
    double v = 0.0;
    for (int i = 0; i < 2; ++i) {
      const double u = t - blips[i].start;
      if (u < 0) continue;
      const double f = NoteHz(blips[i].note);
      v += (0.45 * tri[i].Triangle(f) + 0.55 * sine[i].Sine(f)) * AttackDecay(u, 0.003, 0.07);
    }
    return v;
  });
}

Samples KeyClick(int rate) {
  Oscillator ping(rate), thock(rate);
  Noise noise(7);
  Biquad hp;
  hp.SetHighpass(2000, 0.7, rate);
  return Render(rate, 0.06, [&](double t) {
    const double click = hp.Process(noise.White()) * ExpDecay(t, 0.003);
    return click + 0.4 * ping.Sine(2600) * ExpDecay(t, 0.006) +
           0.5 * thock.Sine(320.0 - 60.0 * t / 0.06) * AttackDecay(t, 0.001, 0.012);
  });
}

Samples BonusChime(int rate) {
  // A bell arpeggio up a major chord; the inharmonic partials make it ring.
  const double starts[] = {0.0, 0.06, 0.12, 0.18};
  const double notes[] = {84, 88, 91, 96};
  std::vector<Oscillator> partials(12, Oscillator(rate));
  return Render(rate, 0.75, [&](double t) {
    double v = 0.0;
    for (int i = 0; i < 4; ++i) {
      const double u = t - starts[i];
      if (u < 0) continue;
      const double f = NoteHz(notes[i]);
      v += partials[3 * i].Sine(f) * AttackDecay(u, 0.002, 0.22) +
           0.35 * partials[3 * i + 1].Sine(2.76 * f) * ExpDecay(u, 0.07) +
           0.2 * partials[3 * i + 2].Sine(5.4 * f) * ExpDecay(u, 0.03);
    }
    return v;
  });
}

Samples DoneJingle(int rate) {
  // Three rising notes, then the whole chord rings out. The game plays it
  // slower and lower for an ordinary end, faster and brighter for a record.
  struct Note {
    double start, length, note, level;
  };
  const Note notes[] = {{0.0, 0.1, 72, 0.8},  {0.11, 0.1, 76, 0.8},  {0.22, 0.1, 79, 0.8},
                        {0.36, 0.7, 84, 0.7}, {0.36, 0.7, 76, 0.45}, {0.36, 0.7, 79, 0.45},
                        {0.36, 0.7, 60, 0.5}};
  std::vector<Oscillator> pulse(7, Oscillator(rate)), tri(7, Oscillator(rate));
  OnePole tone;
  tone.SetCutoff(3500, rate);
  return Render(rate, 1.3, [&](double t) {
    double v = 0.0;
    for (int i = 0; i < 7; ++i) {
      const double u = t - notes[i].start;
      if (u < 0) continue;
      const double f = NoteHz(notes[i].note);
      const double env = Adsr(u, notes[i].length, 0.004, 0.08, 0.6, 0.18);
      v += notes[i].level * env * (0.4 * pulse[i].Pulse(f, 0.25) + 0.6 * tri[i].Triangle(f));
    }
    return tone.Process(v);
  });
}

Samples Jump(int rate) {
  Oscillator square(rate), sine(rate);
  OnePole tone;
  tone.SetCutoff(3000, rate);
  return Render(rate, 0.26, [&](double t) {
    const double f = 190.0 * std::pow(3.2, std::min(t / 0.17, 1.0));
    const double v = 0.5 * square.Pulse(f, 0.3) + 0.6 * sine.Sine(f);
    return tone.Process(v) * AttackDecay(t, 0.004, 0.075);
  });
}

Samples Boing(int rate) {
  // A spring: the pitch wobbles around its note and the wobble dies away.
  Oscillator body(rate), twang(rate), tri(rate);
  return Render(rate, 0.55, [&](double t) {
    const double wobble = std::sin(kTwoPi * 13.0 * t) * ExpDecay(t, 0.2);
    const double f = 150.0 * (1.0 + 0.35 * wobble) * (1.0 + 0.5 * ExpDecay(t, 0.015));
    const double v = body.Sine(f) + 0.35 * twang.Sine(2.0 * f) * ExpDecay(t, 0.1) + 0.2 * tri.Triangle(f);
    return v * AttackDecay(t, 0.003, 0.17);
  });
}

Samples Landing(int rate) {
  Oscillator thump(rate);
  Noise noise(23);
  Biquad lp;
  lp.SetLowpass(450, 0.7, rate);
  return Render(rate, 0.18, [&](double t) {
    const double f = 55.0 + 65.0 * ExpDecay(t, 0.03);
    return thump.Sine(f) * AttackDecay(t, 0.002, 0.045) + 0.6 * lp.Process(noise.White()) * ExpDecay(t, 0.02);
  });
}

Samples Swoosh(int rate) {
  Noise noise(31);
  Biquad band, body;
  constexpr double kLength = 0.32;
  return Render(rate, kLength, [&](double t) {
    const double x = t / kLength;
    const double centre = 500.0 + 1900.0 * std::sin(kPi * std::pow(x, 0.8));
    band.SetBandpass(centre, 1.6, rate);
    body.SetBandpass(centre * 0.5, 1.0, rate);
    const double n = noise.White();
    const double env = std::pow(std::sin(kPi * x), 1.5);
    return env * (band.Process(n) + 0.6 * body.Process(n));
  });
}

Samples WalkLoop(int rate) {
  // Two soft steps in a loop; both ends are silent, so the loop has no seam.
  Noise noise(41);
  Biquad lp;
  lp.SetLowpass(900, 0.7, rate);
  Oscillator thump(rate);
  struct Step {
    double start, pitch, level;
  };
  const Step steps[] = {{0.02, 1.0, 1.0}, {0.22, 0.9, 0.85}};
  return Render(rate, 0.4, [&](double t) {
    const double grit = lp.Process(noise.White());
    double v = 0.0;
    for (const Step& s : steps) {
      const double u = t - s.start;
      if (u < 0) continue;
      const double f = s.pitch * (70.0 + 40.0 * ExpDecay(u, 0.015));
      v +=
          s.level * (grit * AttackDecay(u, 0.003, 0.02) + 0.6 * thump.Sine(f) * AttackDecay(u, 0.003, 0.025));
    }
    return v;
  });
}

Samples DrillWarning(int rate) {
  // A drill motor spinning up: a buzzing saw with gear chatter and a metallic
  // whine an octave and a fifth above.
  Oscillator motor(rate), whine(rate), chatter(rate);
  Biquad band;
  band.SetBandpass(1400, 0.9, rate);
  return Render(rate, 0.85, [&](double t) {
    const double f = 220.0 + 260.0 * (1.0 - ExpDecay(t, 0.12));
    const double am = 0.7 + 0.3 * chatter.Sine(f / 6.0);
    const double saw = motor.Saw(f);
    const double buzz = band.Process(saw) * 2.0 + 0.25 * saw;
    const double v = am * buzz + 0.25 * whine.Sine(3.0 * f);
    return v * Adsr(t, 0.6, 0.02, 0.3, 0.8, 0.08);
  });
}

}  // namespace assetgen::sfx
