#include "analysis/torsion_analysis.h"

#include <cmath>

#include "analysis/net_mesh.h"
#include "analysis/torsion_fe.h"
#include "model/net_material.h"

namespace {

// The first mesh's longest side, as a share of the section's size, and the most
// elements a mesh may have: refinement stops there and Jerr says how far it got.
constexpr double FirstSideShare = 1.0 / 8;
constexpr int MostElements = 200000;

TorsionAnalysis Refused(std::string reason, double poisson) {
  TorsionAnalysis out;
  out.reason = std::move(reason);
  out.poisson = poisson;
  return out;
}

// The values of one level as the analysis reports them.
TorsionAnalysis Accepted(const TorsionResult& r, double poisson, int elements, double Jerr) {
  TorsionAnalysis out;
  out.ok = true;
  out.poisson = poisson;
  out.A = r.A;
  out.J = r.J;
  out.Iw = r.Iw;
  out.xs = r.xs;
  out.ys = r.ys;
  out.xsT = r.xsT;
  out.ysT = r.ysT;
  out.Asx = r.Asx;
  out.Asy = r.Asy;
  out.elements = elements;
  out.Jerr = Jerr;
  return out;
}

}  // namespace

TorsionAnalysis AnalyseTorsion(const CutModel& model, double poisson, double accuracy) {
  if (model.shapeless) return Refused("merge data has no shape", poisson);
  const NetMaterial net = BuildNetMaterial(model);
  if (!(net.size > 0) || !std::isfinite(net.size)) return Refused("there is no net material", poisson);

  // Element sides and the chords of the arcs halve from level to level, so that both
  // the mesh's error and the arcs' fall. J from the displacement method comes from
  // above and converges at least linearly in the side, so the change between two
  // levels bounds the error of the finer one.
  double side = net.size * FirstSideShare;
  double chord = MeshChordAngle;
  TorsionResult coarse;
  bool haveCoarse = false;
  TorsionAnalysis best;  // the finest level with an estimate so far
  for (;;) {
    const MeshOutcome mesh = MeshNetMaterial(net, side, chord);
    // A finer level that cannot be made leaves the last one, with its estimate.
    if (!mesh.ok) return best.ok ? best : Refused(mesh.reason, poisson);
    TorsionResult fine = SolveTorsion(mesh.mesh, poisson);
    if (!fine.ok) return best.ok ? best : Refused(fine.reason, poisson);
    const int elements = static_cast<int>(mesh.mesh.elements.size());
    const bool last = 4 * static_cast<double>(elements) > MostElements;
    if (haveCoarse || last) {
      best = Accepted(fine, poisson, elements,
                      haveCoarse ? std::fabs(coarse.J - fine.J) / std::fabs(fine.J) : 1);
      if (best.Jerr <= accuracy || last) return best;
    }
    coarse = std::move(fine);
    haveCoarse = true;
    side /= 2;
    chord /= 2;
  }
}
