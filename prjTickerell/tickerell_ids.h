// The caption control's identity: the identifiers of its type library, class, interfaces
// and published types, and the dispatch identifiers of its members and events.
#pragma once

#include "com/dispatch.h"
#include "com/guid.h"

namespace tickerell {

inline constexpr com::GUID kLibid{
    0x63FE7691, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::IID kIidTickerell{
    0x63FE7692, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::CLSID kClsidTickerell{
    0x63FE7693, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::GUID kGuidBorderStyle{
    0x63FE7694, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::GUID kGuidAlignment{
    0x63FE7695, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::GUID kGuidRect{
    0x63FE7696, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
inline constexpr com::IID kIidTickerellEvents{
    0x63FE7697, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
// stdole2.tlb, for IDispatch, OLE_COLOR and IPictureDisp.
inline constexpr com::GUID kLibidStdOle{
    0x00020430, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

inline constexpr char kLibraryName[] = "prjTickerell";
inline constexpr char kClassName[] = "Tickerell";
inline constexpr char kProgId[] = "prjTickerell.Tickerell";
inline constexpr char kLibraryHelp[] =
    "Scrolling caption control: formatted lines that rise over a picture on a timer";
inline constexpr unsigned kMiscStatus = 131473;  // 0x20191

// Members of _Tickerell.
enum TickerellDispid : com::DISPID {
  kDispCurrentYpos = 0x68030000,
  kDispStartupYpos = 0x68030001,
  kDispStartupWait = 0x68030002,
  kDispAlignment = 0x68030003,
  kDispScrollEnd = 0x68030004,
  kDispScrollStart = 0x68030005,
  kDispSkipPixels = 0x68030006,
  kDispBorderStyle = 0x68030007,
  kDispPicture = 0x68030008,
  kDispScroll = 0x68030009,
  kDispForeColor = 0x6803000A,
  kDispBackColor = 0x6803000B,
  kDispCaption = 0x6803000C,
  kDispTimerInterval = 0x6803000D,
  kDispSetupMainBufferLines = 0x6003001D,
};

// Events of __Tickerell.
enum TickerellEventId : com::DISPID {
  kEventClick = 1,
  kEventDblClick = 2,
  kEventMouseDown = 3,
  kEventMouseMove = 4,
  kEventMouseUp = 5,
  kEventKeyDown = 6,
  kEventKeyPress = 7,
  kEventKeyUp = 8,
  kEventPaint = 9,
};

}  // namespace tickerell
