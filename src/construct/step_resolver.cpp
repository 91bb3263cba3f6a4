#include "construct/step_resolver.h"

#include <cmath>
#include <utility>

#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/intersect.h"
#include "construct/point_slots.h"

namespace {

bool Contains(std::string_view line, char letter) { return line.find(letter) != std::string_view::npos; }

StepResult Outcome(StepResult::Outcome outcome) {
  Entry.PendingStep = StepNone;
  StepResult result;
  result.outcome = outcome;
  return result;
}

StepResult Refusal(StepResult::Outcome outcome, std::string message) {
  StepResult result = Outcome(outcome);
  result.message = std::move(message);
  result.caption = "Input Error";
  return result;
}

}  // namespace

void RightAngleStep(const Node& a, const Node& b, double& x, double& y) {
  const double theta = ToPolar(double(b.x) - a.x, double(b.y) - a.y).angle;
  const double d = x;
  x = -d * std::sin(theta);
  y = d * std::cos(theta);
  Entry.LastAngle = theta * 180 / Pi + 90;
}

std::optional<DirectionRule> MatchDirection(const EntryMode& mode, bool bare, std::string_view line) {
  static constexpr struct {
    ModeWord word;
    DirectionRule rule;
  } rules[] = {
      {ModeWord::Up, {'u', 0, 1}},
      {ModeWord::Down, {'d', 0, -1}},
      {ModeWord::Left, {'l', -1, 0}},
      {ModeWord::Right, {'r', 1, 0}},
  };
  for (const auto& r : rules)
    if ((ModeHas(mode, r.word) && bare) || Contains(line, r.rule.letter)) return r.rule;
  return std::nullopt;
}

StepResult ResolveStep(const EntryMode& mode, std::string line, const StepParams& params) {
  const bool pending = Entry.PendingStep != StepNone;
  double x = FieldNumber(line, params.fieldSeparators, 0);
  double y = FieldNumber(line, params.fieldSeparators, 1);
  const bool bare = pending || !ContainsAny(line, StepSeparators);
  // The second half of a pending step may end on an intersecting line.
  auto intersect = [&]() { return pending ? IntersectLine(line, x, y) : 0; };
  auto has = [&](ModeWord word) { return ModeHas(mode, word); };
  auto endsWith = [&](char c) { return !line.empty() && line.back() == c; };

  if ((has(params.pointWord) && bare) || (!line.empty() && line[0] == '#')) {
    const std::string_view typed = line[0] == '#' ? std::string_view(line).substr(1) : line;
    const int k = RoundToInt(ReadNumber(typed));
    if (!NamesPoint(k, /*excludePending=*/true))
      return Refusal(StepResult::MissingPoint, PointMissingMessage(typed));
    x = Table.nodes[k].x;
    y = Table.nodes[k].y;
    line = ",";
  } else if (const std::optional<DirectionRule> dir = MatchDirection(mode, bare, line)) {
    line = RemoveChar(line, dir->letter);
    if (intersect() != 0) return Outcome(StepResult::Failed);
    // The number left after the letter; with none left the step stays as read.
    if (!line.empty()) {
      const double value = ReadNumber(line);
      x = dir->dx * value;
      y = dir->dy * value;
    }
  } else if ((has(ModeWord::RtAngle) && bare) || endsWith('/')) {
    if (!params.rightAngleEdge) return Outcome(StepResult::Ignored);
    RightAngleStep((*params.rightAngleEdge)[0], (*params.rightAngleEdge)[1], x, y);
    if (intersect() != 0) return Outcome(StepResult::Failed);
  } else if ((has(ModeWord::Angle) && bare) || Contains(line, '/')) {
    const double d = x;
    const double theta = (params.typedAngle && !pending ? y : Entry.LastAngle) * DegToRad;
    x = d * std::cos(theta);
    y = d * std::sin(theta);
    if (intersect() != 0) return Outcome(StepResult::Failed);
  } else if ((has(ModeWord::Fixed) && bare && (pending || params.typedFixedRadius)) ||
             (params.typedFixedRadius && endsWith('\\'))) {
    // The point on the circle around the last point.
    if (IntersectCircle(line, x, y) != 0) return Outcome(StepResult::Failed);
    line = ",";
  } else if (!params.plainPair) {
    return Outcome(StepResult::NoRule);
  }

  double px = x, py = y;
  if (line.find(',') == std::string::npos) {
    if (params.zeroStepStoresNothing && x == 0 && y == 0) return Outcome(StepResult::ZeroStep);
    px = params.base.x + x;
    py = params.base.y + y;
  }
  StepResult result = Outcome(StepResult::Point);
  result.x = static_cast<float>(px);
  result.y = static_cast<float>(py);
  if (!std::isfinite(result.x) || !std::isfinite(result.y))
    return Refusal(StepResult::OutOfRange, "Coordinates out of range");
  return result;
}
