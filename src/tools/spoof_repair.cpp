#include "spoof_repair.h"

namespace zelbor::tools {

bool repairSpoofFields(db::PlayerRecord& player) {
  const bool differs = player.spoofName != player.realName || player.spoofFace != player.realFace ||
                       player.spoofBat != player.realBat;
  player.spoofName = player.realName;
  player.spoofFace = player.realFace;
  player.spoofBat = player.realBat;
  return differs;
}

}  // namespace zelbor::tools
