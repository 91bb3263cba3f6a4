#include "files/settings.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "files/atomic_file.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "util/text.h"

namespace {

constexpr const char* SettingsFileName = "Velmora.ini";
constexpr std::uint8_t DefaultSigDigits = 3;
constexpr std::size_t MaxSettingsFileSize = 64 * 1024;

// Splits the text into fields at commas and line ends. A field that starts with a
// double quote runs to the quote that is followed by the end of the field, so a file
// name may hold commas and quotes of its own.
std::vector<std::string> SettingsFields(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto atFieldEnd = [&](std::size_t k) {
    while (k < n && (text[k] == ' ' || text[k] == '\t')) ++k;
    return k == n || text[k] == ',' || text[k] == '\r' || text[k] == '\n';
  };
  while (i < n) {
    std::size_t k = i;
    while (k < n && (text[k] == ' ' || text[k] == '\t')) ++k;
    std::string field;
    if (k < n && text[k] == '"') {
      std::size_t close = k + 1;
      while (close < n && (text[close] != '"' || !atFieldEnd(close + 1))) {
        if (text[close] == '\n') break;  // an unclosed quote ends with its line
        ++close;
      }
      field = text.substr(k + 1, close - k - 1);
      if (!field.empty() && field.back() == '\r') field.pop_back();
      i = close < n && text[close] == '"' ? close + 1 : close;
      while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') ++i;
    } else {
      std::size_t e = k;
      while (e < n && text[e] != ',' && text[e] != '\r' && text[e] != '\n') ++e;
      field = TrimBlanks(text.substr(k, e - k));
      i = e;
    }
    fields.push_back(field);
    // One separator: a comma, or a line end (CR LF, LF or CR).
    if (i < n && text[i] == ',') {
      ++i;
    } else if (i < n && text[i] == '\r') {
      ++i;
      if (i < n && text[i] == '\n') ++i;
    } else if (i < n && text[i] == '\n') {
      ++i;
    }
  }
  return fields;
}

// A whole number with an optional sign and nothing else, blanks around it allowed.
std::optional<long> ParseWhole(const std::string& text) {
  std::string t = TrimBlanks(text);
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (first != last && *first == '+') {
    ++first;  // from_chars takes no plus sign, and no second sign may follow it
    if (first != last && *first == '-') return std::nullopt;
  }
  long value = 0;
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

}  // namespace

bool MakeFolderPath(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

std::string DataFolderPath() {
  std::string base = GetPlatform().AppDataFolder();
  if (base.empty()) return "";
  if (base.back() != '/') base += '/';
  return base + "Tessivane/Velmora/";
}

void FormDataFolder() {
  Shared.DataFolder = DataFolderPath();
  std::error_code ec;
  if (!Shared.DataFolder.empty() && !std::filesystem::is_directory(Shared.DataFolder, ec)) {
    MakeFolderPath(Shared.DataFolder);
  }
}

std::string SettingsFilePath() {
  if (Shared.DataFolder.empty()) return "";
  std::string folder = Shared.DataFolder;
  if (folder.back() != '/') folder += '/';
  return folder + SettingsFileName;
}

std::string SettingsText() {
  return std::to_string(Shared.SigDigits) + "\r\n" + (Shared.OpenLastFile ? "1" : "0") +
         "\r\n\"" + Shared.CurrentFile + "\"\r\n";
}

void ApplySettingsText(const std::string& text) {
  std::vector<std::string> fields = SettingsFields(text);
  std::optional<long> digits = fields.size() > 0 ? ParseWhole(fields[0]) : std::nullopt;
  Shared.SigDigits = digits && *digits >= 0 && *digits <= 6 ? static_cast<std::uint8_t>(*digits)
                                                            : DefaultSigDigits;
  std::optional<long> openLast = fields.size() > 1 ? ParseWhole(fields[1]) : std::nullopt;
  Shared.OpenLastFile = openLast && (*openLast == 0 || *openLast == 1) ? *openLast : 0;
  if (Shared.OpenLastFile && fields.size() > 2) Shared.CurrentFile = fields[2];
}

void ReadSettings() {
  const std::string path = SettingsFilePath();
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return;
  std::vector<std::uint8_t> bytes;
  std::string reason;
  // An unreadable file counts as a missing one: the defaults stay, and the next
  // write replaces it.
  if (!ReadFilePrefix(path, MaxSettingsFileSize, bytes, reason)) return;
  ApplySettingsText(std::string(bytes.begin(), bytes.end()));
}

bool WriteSettings() {
  const std::string path = SettingsFilePath();
  if (path.empty()) return false;
  const std::string text = SettingsText();
  std::string reason;
  if (!WriteFileAtomically(path, text.data(), text.size(), reason)) {
    PlatformMessageBox("Cannot save the settings\n" + path + "\n" + reason, "Error",
                       MsgOk | MsgIconError);
    return false;
  }
  return true;
}
