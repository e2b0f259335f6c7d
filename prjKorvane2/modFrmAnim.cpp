#include "modFrmAnim.h"

namespace modFrmAnim {

std::uint32_t EffectFlags(std::int32_t Effect) {
  static constexpr std::uint32_t kFlags[10] = {
      AW_HIDE | AW_SLIDE | AW_HOR_NEGATIVE,
      AW_HIDE | AW_HOR_POSITIVE,
      AW_HIDE | AW_VER_NEGATIVE,
      AW_HIDE | AW_VER_POSITIVE,
      AW_HIDE | AW_VER_NEGATIVE | AW_HOR_POSITIVE,
      AW_HIDE | AW_VER_POSITIVE | AW_HOR_NEGATIVE,
      AW_HIDE | AW_VER_NEGATIVE | AW_HOR_NEGATIVE,
      AW_HIDE | AW_VER_POSITIVE | AW_HOR_POSITIVE,
      AW_HIDE | AW_CENTER,
      AW_ACTIVATE | AW_SLIDE | AW_CENTER | AW_VER_POSITIVE,
  };
  // Compared unsigned, so negative numbers fall outside the table too.
  const auto n = static_cast<std::uint32_t>(Effect);
  return n < 10 ? kFlags[n] : 0;
}

void AnimateForm(tk::Form& Frm, std::int32_t Effect, std::int16_t Duration) {
  const std::uint32_t flags = EffectFlags(Effect);
  // The time goes over sign-extended, as the call's 32-bit argument.
  AnimateWindow(Frm.hWnd(), static_cast<std::uint32_t>(static_cast<std::int32_t>(Duration)), flags);
  Frm.Refresh();
}

}  // namespace modFrmAnim
