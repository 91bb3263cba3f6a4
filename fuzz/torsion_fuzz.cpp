// Feeds arbitrary section files through the mesher and the finite-element analysis:
// every file the reader accepts gives either a refusal with its reason or finite
// values, never a crash, a hang or a NaN.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analysis/torsion_analysis.h"
#include "app/program_state.h"
#include "files/section_file.h"
#include "headless/headless_platform.h"
#include "model/cut.h"
#include "model/properties.h"
#include "model/section_table.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "torsion_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HeadlessPlatform platform;
  platform.Reset();
  SetPlatform(&platform);
  ResetProgramState();
  if (DecodeSectionFile(data, size) != SectionFileError::None) return 0;
  if (!(Table.sections[Table.sectionCount].flags & Complete)) return 0;
  ComputePropertySet();
  // A coarse accuracy keeps each input quick; the meshes are the same kind.
  const TorsionAnalysis t = AnalyseTorsion(BuildCutModel(), 0.3, 1e-2);
  if (!t.ok) {
    if (t.reason.empty()) Fail("a refusal without its reason");
    return 0;
  }
  for (double v : {t.A, t.J, t.Iw, t.xs, t.ys, t.xsT, t.ysT, t.Asx, t.Asy, t.Jerr})
    if (!std::isfinite(v)) Fail("a value that is not finite");
  if (t.elements <= 0) Fail("a result without elements");
  if (!(t.J > 0) || !(t.Asx > 0) || !(t.Asy > 0) || t.Iw < 0) Fail("a value of the wrong sign");
  return 0;
}
