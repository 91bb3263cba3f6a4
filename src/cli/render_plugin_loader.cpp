#include "cli/render_plugin_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr char PluginFile[] = "kelvarin-render.so";

std::vector<std::string> Candidates() {
  if (const char* named = std::getenv("KELVARIN_RENDER_PLUGIN"); named != nullptr && *named != 0)
    return {named};
  std::error_code error;
  const std::filesystem::path tool = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::filesystem::path bin = tool.parent_path();
  return {(bin / PluginFile).string(),
          (bin.parent_path() / KELVARIN_PLUGIN_SUBDIR / PluginFile).string()};
}

const RenderPlugin* Open(std::string& why) {
  const std::vector<std::string> candidates = Candidates();
  for (const std::string& path : candidates) {
    std::error_code error;
    if (candidates.size() > 1 && !std::filesystem::exists(path, error)) continue;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      why = dlerror();
      return nullptr;
    }
    const auto entry =
        reinterpret_cast<RenderPluginEntryFunction>(dlsym(module, RenderPluginEntry));
    const RenderPlugin* plugin = entry != nullptr ? entry() : nullptr;
    if (plugin == nullptr || plugin->version != RenderPluginVersion) {
      why = path + " is not this version's drawing plugin";
      return nullptr;
    }
    return plugin;  // kept open for the life of the process
  }
  why = std::string("no ") + PluginFile + " beside the program or in its library folder";
  return nullptr;
}

}  // namespace

const RenderPlugin* OpenRenderPlugin(const char* command) {
  static std::string why;
  static const RenderPlugin* const plugin = Open(why);
  if (plugin == nullptr)
    std::fprintf(stderr, "kelvarin-cli %s: cannot draw: %s\n", command, why.c_str());
  return plugin;
}
