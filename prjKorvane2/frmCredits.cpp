#include "frmCredits.h"

#include "com/late_bound.h"
#include "com/picture_object.h"
#include "com/property_bag.h"
#include "frmMain.h"
#include "modFrmAnim.h"
#include "modMain.h"
#include "pictures.h"
#include "runtime/errors.h"

using modMain::DebugMode;

namespace {

// The caption control's class, and the dispatch identifiers of the members used here.
constexpr com::CLSID kTickerellClass{
    0x63FE7693, 0xF924, 0x11D9, {0x85, 0xA6, 0x91, 0x3B, 0x44, 0xF6, 0x69, 0x14}};
constexpr com::DISPID kForeColor = 0x6803000A;
constexpr com::DISPID kScroll = 0x68030009;
constexpr com::DISPID kPicture = 0x68030008;
constexpr com::DISPID kSkipPixels = 0x68030006;
constexpr com::DISPID kScrollStart = 0x68030005;
constexpr com::DISPID kScrollEnd = 0x68030004;
constexpr com::DISPID kStartupWait = 0x68030002;
constexpr com::DISPID kStartupYpos = 0x68030001;

// The values the window's description stores for its control.
com::ComPtr<com::IPropertyBag> StoredProperties() {
  auto bag = com::Make<com::MemoryPropertyBag>();
  bag->Set("_extentx", com::Variant(std::int32_t{6588}));
  bag->Set("_extenty", com::Variant(std::int32_t{1720}));
  bag->Set("caption", com::Variant("script"));
  bag->Set("picture", com::Variant(com::EmptyPicture()));
  return bag;
}

}  // namespace

frmCredits& frmCredits::Instance() {
  static frmCredits* form = new frmCredits();
  return *form;
}

void frmCredits::Describe() {
  tk::FormAttributes& a = Attributes();
  a.caption = "Credits";
  a.border = tk::BorderStyle::kFixedSingle;
  a.min_button = false;
  a.max_button = false;
  a.show_in_taskbar = false;
  a.start_position = tk::StartUpPosition::kCenterOwner;
  a.client_width = 4680;
  a.client_height = 3540;
  a.icon = korvane::AppIconPicture();

  Tickerell1 = &Add<tk::ActiveXControl>(Client(), "Tickerell1", -1, 480, 1320, 3735, 975);
  Tickerell1->SetHandler("Tickerell1_click",
                         [this](std::span<com::Variant>) { Tickerell1_click(); });
  Tickerell1->Create(kTickerellClass, StoredProperties());
}

void frmCredits::Form_Load() {
  tk::ResumeNext next(!DebugMode);
  com::IDispatch* t = Tickerell1->Object();
  next([&] { com::PropertyPut(t, kForeColor, com::Variant(std::int32_t{255})); });
  next([&] { com::PropertyPut(t, kStartupYpos, com::Variant(std::int32_t{100})); });
  next([&] { com::PropertyPut(t, kStartupWait, com::Variant(1.5)); });
  next([&] { com::PropertyPut(t, kScrollStart, com::Variant(std::int32_t{300})); });
  next([&] { com::PropertyPut(t, kScrollEnd, com::Variant(std::int32_t{-850})); });
  next([&] { com::PropertyPut(t, kSkipPixels, com::Variant(std::int16_t{1})); });
  next([&] {
    // The board texture's picture object itself, by reference.
    const auto picture = com::CreatePicture(frmMain::Instance().Image1->Picture());
    com::PropertyPutRef(t, kPicture, com::Variant(picture));
  });
}

void frmCredits::Form_Resize() {
  tk::ResumeNext next(!DebugMode);
  next([&] {
    com::IDispatch* t = Tickerell1->Object();
    com::Variant args[4] = {com::Variant(0.0f), com::Variant(std::int16_t{0}),
                            com::Variant(static_cast<float>(ScaleWidth())),
                            com::Variant(static_cast<float>(ScaleHeight()))};
    com::Method(t, com::IdOfName(t, "Move"), args);
  });
}

void frmCredits::Tickerell1_click() {
  com::IDispatch* t = Tickerell1->Object();
  const bool scrolling = com::PropertyGet(t, kScroll).ToBool();
  com::PropertyPut(t, kScroll, com::Variant::Bool(!scrolling));
}

void frmCredits::Form_Unload(std::int16_t& /*Cancel*/) {
  modFrmAnim::AnimateForm(*this, 8, 300);
}
