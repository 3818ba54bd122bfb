#include "tooltip/cToolTip.h"
cToolTip::cToolTip(platform::Platform& os) : os_(os) {}
cToolTip::~cToolTip() = default;
std::uintptr_t cToolTip::Create(const ui::Control&, const std::string&, std::int32_t, bool, std::int32_t,
                                const std::string&, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
  return 0;
}
void cToolTip::Destroy() {}
