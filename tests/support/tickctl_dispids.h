// The dispatch identifiers that the caption control's default interface must publish,
// written out here independently of the module's sources: the module's tests hold the
// module to them, and the About window's tests reach the control through them as the
// game does.
#pragma once

#include "com/dispatch.h"

namespace tickctl_test {

enum Dispid : com::DISPID {
  kCurrentYpos = 0x68030000,
  kStartupYpos = 0x68030001,
  kStartupWait = 0x68030002,
  kAlignment = 0x68030003,
  kScrollEnd = 0x68030004,
  kScrollStart = 0x68030005,
  kSkipPixels = 0x68030006,
  kBorderStyle = 0x68030007,
  kPicture = 0x68030008,
  kScroll = 0x68030009,
  kForeColor = 0x6803000A,
  kBackColor = 0x6803000B,
  kCaption = 0x6803000C,
  kTimerInterval = 0x6803000D,
  kSetupMainBufferLines = 0x6003001D,
};

}  // namespace tickctl_test
