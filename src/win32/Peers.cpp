#include "win32/Peers.h"

namespace {
class Factory : public ui::PeerFactory {
 public:
  void CreatePeers(ui::Form&) override {}
};
}  // namespace

ui::PeerFactory& Win32Peers(HINSTANCE) {
  static Factory factory;
  return factory;
}

bool PeersPreTranslate(MSG&) { return false; }
