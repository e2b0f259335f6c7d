// The real message and input boxes, on Qt's dialogs.
#pragma once

namespace tk {

// Makes MsgBox and InputBox show Qt dialogs from now on.
void InstallQtBoxes();

}  // namespace tk
