// Anything typed into the delay dialog's three fields, in both modes, then the
// start button: no crash; a countdown only with a delay in range; no power call
// while every confirmation is answered Cancel.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../unit/AppFixture.h"
#include "timeui/TimeForm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size > 64) return 0;
  AppFixture f;
  f.env.messageBoxes.answers.assign(16, 2);
  f.Start();
  MainForm& main = f.Main();
  main.Action = static_cast<std::int16_t>(1 + data[0] % 3);
  TimeForm& dialog = f.app->LoadTimeForm();
  dialog.Show();
  const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::size_t third = rest.size() / 3;
  dialog.txtHeure.TextFromUser(rest.substr(0, third));
  dialog.txtMinute.TextFromUser(rest.substr(third, third));
  dialog.txtSeconde.TextFromUser(rest.substr(2 * third));
  if (data[1] & 1) dialog.WithTime.SetValue(1);
  f.Guard([&] { dialog.LetsGo_Click(); });
  if (main.CountDown && (main.TpsH > 99 || main.TpsM > 59 || main.TpsS > 59)) std::abort();
  if (!f.PowerCalls().empty()) std::abort();
  return 0;
}
