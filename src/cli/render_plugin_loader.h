// Opens the drawing plugin (kelvarin-render.so) for the commands that draw.
#pragma once

#include "platform/render_plugin.h"

// The plugin named by $KELVARIN_RENDER_PLUGIN, else the one beside the tool (a build
// tree), else the installed one under the library folder. Opened once; nullptr, with
// the reason on standard error after "kelvarin-cli COMMAND: ", when none can be used.
const RenderPlugin* OpenRenderPlugin(const char* command);
