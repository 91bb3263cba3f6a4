// State of polygon and phantom-point entry kept between Ok commands.
#pragma once

#include <cstdint>

enum PendingStepKind : std::uint8_t {
  StepNone = 0,
  StepUp = 1,
  StepDown = 2,
  StepLeft = 3,
  StepRight = 4,
  StepAngle = 5,
  StepRightAngle = 6,
  StepFixedRadius = 7,
};

struct EntryState {
  PendingStepKind PendingStep = StepNone;
  double LastAngle = 0;    // degrees
  double FixedRadius = 0;  // radius of a pending fixed-radius step
  bool PhantomEntry = false;
  friend bool operator==(const EntryState&, const EntryState&) = default;
};

extern EntryState Entry;
