#include "app/report_window.h"
#include "support/core_test.h"

#include "app/program_state.h"
#include "model/shared_state.h"
#include "output/output_window.h"

void CoreTest::SetUp() {
  SetPlatform(&platform);
  ResetProgramState();
}

void CoreTest::TearDown() { SetPlatform(nullptr); }

std::vector<PlatformEvent> CoreTest::EventsOfKind(PlatformEvent::Kind kind) const {
  std::vector<PlatformEvent> out;
  for (const PlatformEvent& e : platform.Events())
    if (e.kind == kind) out.push_back(e);
  return out;
}

std::vector<PlatformEvent> CoreTest::OutputWindows() const {
  return EventsOfKind(PlatformEvent::OutputWindow);
}

const PropertySet& CoreTest::Compute() {
  Shared.ResultsCurrent = false;
  Calc.calcMode = CalcSilent;
  ComputeProperties();
  return Calc.props;
}
