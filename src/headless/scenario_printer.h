// What a scenario run prints: each platform event as it happens, and what the
// "show", "key" and "view" actions report. Texts are quoted with their control
// characters escaped, paths under the working folder written relative to it.
#pragma once

#include <string>

class HeadlessPlatform;
struct KeyResult;
struct PlatformEvent;

// Prints a platform event as a scenario run shows it.
void PrintScenarioEvent(const PlatformEvent& event);
// Prints the panel: texts, selection, focus, menu states.
void PrintPanelState();
// What the keyboard hook did, e.g. "item 11, refresh; swallowed".
std::string DescribeKeyResult(const KeyResult& result);
// Prints the mapping in force and every call of the last redraw (from its Clear on).
void PrintViewCalls(HeadlessPlatform& platform);
