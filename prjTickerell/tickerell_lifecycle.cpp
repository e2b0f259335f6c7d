// The life cycle of an instance: created (Initialize), then set up new (InitProperties)
// or restored from its host's property bag (ReadProperties), then saved any number of
// times (WriteProperties). Every value goes in through the property's setter and comes
// out through its getter, so the setters' effects take place.
#include "com/late_bound.h"
#include "runtime/checked.h"
#include "runtime/errors.h"
#include "runtime/prompts.h"
#include "tickerell.h"

namespace tickerell {

namespace {

using com::Variant;

constexpr char kNewInstanceAdvice[] =
    "Remember to set proper values to 'ScrollStart' and 'ScrollEnd' properties.";
constexpr char kCaptionAdvice[] =
    "If the caption not displayed first time don't worry, It will display when you run.";

Variant I4(std::int32_t v) {
  return Variant(v);
}
Variant Color(tk::OleColor c) {
  return Variant(static_cast<std::int32_t>(c));
}
tk::OleColor ColorOf(const Variant& v) {
  return static_cast<tk::OleColor>(v.ToI4());
}

}  // namespace

com::Variant Tickerell::ExtenderName() const {
  return com::PropertyGet(UserControl.Extender().get(), "Name");
}

void Tickerell::UserControl_Initialize() {
  state_.DebugMode = tk::kTrue16;
  tk::ResumeNext next(!state_.DebugMode);
  next([&] { state_.DefaultBackColor = UserControl.BackColor(); });
  next([&] { state_.DefaultForeColor = UserControl.ForeColor(); });
  next([&] { state_.DefaultTimerInterval = tmrRefresh.Interval(); });
}

void Tickerell::UserControl_InitProperties() {
  // DebugMode is True from Initialize on, so nothing is trapped: the first failing step
  // ends the handler and the later ones stay undone.
  tk::ResumeNext next(!state_.DebugMode);
  next([&] { put_Caption(ExtenderName().ToText()); });
  next([&] { put_TimerInterval(state_.DefaultTimerInterval); });
  next([&] { put_BackColor(state_.DefaultBackColor); });
  next([&] { put_ForeColor(state_.DefaultForeColor); });
  next([&] { put_Scroll(com::VARIANT_TRUE); });
  next([&] { put_BorderStyle(0); });
  next([&] { put_SkipPixels(1); });
  next([&] { put_ScrollStart(50); });
  next([&] { put_ScrollEnd(-50); });
  next([&] { put_Alignment(1); });
  next([&] { put_StartupWait(0.01); });
  next([&] { put_StartupYpos(state_.DefaultStartupYpos); });
  next([&] {
    tk::MsgBox(std::string(kNewInstanceAdvice) + "\r" + kCaptionAdvice, tk::kInformation,
               std::nullopt, std::string(kLibraryTitle));
  });
  // PropertiesRead stays False: a new instance parses nothing until it is restored.
}

void Tickerell::UserControl_ReadProperties(com::IPropertyBag& PropBag) {
  // Always resume-next: a key that fails keeps its property as it was, and the next key
  // is read all the same.
  tk::ResumeNext next(true);
  next([&] { put_Caption(PropBag.Read("Caption", ExtenderName()).ToText()); });
  next([&] {
    put_TimerInterval(PropBag.Read("TimerInterval", I4(state_.DefaultTimerInterval)).ToI4());
  });
  next([&] { put_BackColor(ColorOf(PropBag.Read("BackColor", Color(state_.DefaultBackColor)))); });
  next([&] { put_ForeColor(ColorOf(PropBag.Read("ForeColor", Color(state_.DefaultForeColor)))); });
  next([&] { put_Scroll(tk::ToBool16(PropBag.Read("Scroll", Variant::Bool(true)).ToBool())); });
  next([&] { putref_Picture(PictureArgument(PropBag.Read("Picture"))); });
  next([&] { put_BorderStyle(PropBag.Read("borderstyle", Variant(std::uint8_t{0})).ToI4()); });
  next([&] { put_SkipPixels(PropBag.Read("SkipPixels", Variant(std::int16_t{1})).ToI2()); });
  next([&] { put_ScrollStart(PropBag.Read("ScrollStart", I4(50)).ToI4()); });
  next([&] { put_ScrollEnd(PropBag.Read("ScrollEnd", I4(-50)).ToI4()); });
  next([&] { put_Alignment(PropBag.Read("Alignment", Variant(std::uint8_t{1})).ToI4()); });
  next([&] { put_StartupWait(PropBag.Read("StartupWait", Variant(0.01)).ToR8()); });
  // The default follows the ScrollStart just restored.
  next([&] { put_StartupYpos(PropBag.Read("StartupYpos", I4(state_.DefaultStartupYpos)).ToI4()); });
  state_.PropertiesRead = tk::kTrue16;
  next([&] { SetupMainBufferLines(); });
}

void Tickerell::UserControl_WriteProperties(com::IPropertyBag& PropBag) {
  // Nothing is trapped (DebugMode is True): a failing key ends the save there.
  tk::ResumeNext next(!state_.DebugMode);
  next([&] {
    const Variant caption(get_Caption());
    PropBag.Write("Caption", caption, ExtenderName());
  });
  next([&] {
    PropBag.Write("TimerInterval", I4(get_TimerInterval()), I4(state_.DefaultTimerInterval));
  });
  next([&] { PropBag.Write("BackColor", Color(get_BackColor()), Color(state_.DefaultBackColor)); });
  next([&] { PropBag.Write("ForeColor", Color(get_ForeColor()), Color(state_.DefaultForeColor)); });
  next([&] { PropBag.Write("Scroll", Variant::Bool(get_Scroll() != 0), Variant::Bool(true)); });
  next([&] { PropBag.Write("Picture", Variant(get_Picture()), Variant::Missing()); });
  next([&] { PropBag.Write("borderstyle", I4(get_BorderStyle()), Variant(std::uint8_t{0})); });
  next([&] { PropBag.Write("SkipPixels", Variant(get_SkipPixels()), Variant(std::int16_t{1})); });
  next([&] { PropBag.Write("ScrollStart", I4(get_ScrollStart()), I4(50)); });
  next([&] { PropBag.Write("ScrollEnd", I4(get_ScrollEnd()), I4(-50)); });
  next([&] { PropBag.Write("Alignment", I4(get_Alignment()), Variant(std::uint8_t{1})); });
  next([&] { PropBag.Write("StartupWait", Variant(get_StartupWait()), Variant(0.01)); });
  next([&] { PropBag.Write("StartupYpos", I4(get_StartupYpos()), I4(state_.DefaultStartupYpos)); });
}

}  // namespace tickerell
