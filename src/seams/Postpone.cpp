#include "seams/Postpone.h"

#include <algorithm>

namespace {

constexpr int kLargestDelay = 99 * 3600 + 59 * 60 + 59;

// The token's text after the switch's name, when it starts with it.
bool After(const std::string& token, const std::string& name, std::string& value) {
  if (token.compare(0, name.size(), name) != 0) return false;
  value = token.substr(name.size());
  return true;
}

// The file name without its folders.
std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Lower case for A to Z and, in UTF-8, for the Latin-1 capitals (C3 80 to C3 9E
// but the multiplication sign).
std::string Folded(const std::string& text) {
  std::string out = text;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + 32);
    } else if (c == 0xC3 && i + 1 < out.size()) {
      const auto next = static_cast<unsigned char>(out[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97) out[i + 1] = static_cast<char>(next + 32);
      ++i;
    }
  }
  return out;
}

}  // namespace

int PostponeSwitch(const std::vector<std::string>& tokens) {
  int minutes = 0;
  for (const std::string& token : tokens) {
    std::string value;
    if (!After(token, "-reporter:", value) || value.empty() || value.size() > 4) continue;
    if (!std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    int n = 0;
    for (char c : value) n = n * 10 + (c - '0');
    if (n >= 1 && n <= kMaxPostponeMinutes) minutes = n;
  }
  return minutes;
}

bool AddMinutes(std::uint8_t& h, std::uint8_t& m, std::uint8_t& s, int minutes) {
  if (minutes < 1 || minutes > kMaxPostponeMinutes) return false;
  const int total = h * 3600 + m * 60 + s + minutes * 60;
  if (total > kLargestDelay) return false;
  h = static_cast<std::uint8_t>(total / 3600);
  m = static_cast<std::uint8_t>(total / 60 % 60);
  s = static_cast<std::uint8_t>(total % 60);
  return true;
}

std::string WaitSwitch(const std::vector<std::string>& tokens) {
  std::string program;
  for (const std::string& token : tokens) {
    std::string value;
    if (After(token, "-attendre:", value) && !FileName(value).empty()) program = FileName(value);
  }
  return program;
}

bool ProgramRuns(const std::vector<std::string>& processes, const std::string& program) {
  const std::string wanted = Folded(FileName(program));
  if (wanted.empty()) return false;
  return std::any_of(processes.begin(), processes.end(),
                     [&](const std::string& p) { return Folded(FileName(p)) == wanted; });
}

std::string WaitTip(const std::string& program) { return "En attente de la fin de " + program; }

std::string NotRunningText(const std::string& program) {
  return "Aucun programme " + program + " n'est en cours : rien n'est programmé.";
}

std::string NoProcessListText(const std::string& program) {
  return "Windows ne donne pas la liste des programmes en cours : impossible d'attendre la fin de " + program +
         ", rien n'est programmé.";
}
