#include "tickerell.h"

#include "com/hresult.h"
#include "com/hresult_errors.h"
#include "runtime/checked.h"
#include "runtime/errors.h"
#include "tickerell_ids.h"

namespace tickerell {

namespace {

// The design surface: 3810 x 960 twips (254 x 64 pixels).
constexpr double kDesignWidthTwips = 3810;
constexpr double kDesignHeightTwips = 960;
constexpr std::int32_t kDesignTimerInterval = 10;

}  // namespace

Tickerell::Tickerell()
    : UserControl(kDesignWidthTwips, kDesignHeightTwips),
      renderer_(state_, UserControl, *this),
      events_(com::Make<com::ConnectionPoint>(kIidTickerellEvents)) {
  // The designer description: the timer ticks every 10 ms from creation on.
  tmrRefresh.SetInterval(kDesignTimerInterval);
  tmrRefresh.SetEnabled(true);
  tmrRefresh.Tick = [this] { tmrRefresh_Timer(); };

  UserControl.Click = [this] { UserControl_Click(); };
  UserControl.DblClick = [this] { UserControl_DblClick(); };
  UserControl.MouseDown = [this](std::int16_t& b, std::int16_t& s, float& x, float& y) {
    UserControl_MouseDown(b, s, x, y);
  };
  UserControl.MouseMove = [this](std::int16_t& b, std::int16_t& s, float& x, float& y) {
    UserControl_MouseMove(b, s, x, y);
  };
  UserControl.MouseUp = [this](std::int16_t& b, std::int16_t& s, float& x, float& y) {
    UserControl_MouseUp(b, s, x, y);
  };
  UserControl.KeyDown = [this](std::int16_t& k, std::int16_t& s) { UserControl_KeyDown(k, s); };
  UserControl.KeyPress = [this](std::int16_t& k) { UserControl_KeyPress(k); };
  UserControl.KeyUp = [this](std::int16_t& k, std::int16_t& s) { UserControl_KeyUp(k, s); };
  UserControl.Paint = [this] { UserControl_Paint(); };

  UserControl_Initialize();
}

Tickerell::~Tickerell() {
  tmrRefresh.SetEnabled(false);
  tmrRefresh.Tick = nullptr;
  UserControl.Close();
}

// ---- The timer ----

void Tickerell::tmrRefresh_Timer() {
  if (UserControl.Closed()) return;
  // The first tick waits while events run; a host that lets go of the control meanwhile
  // must not free it under the running tick.
  com::ComPtr<Tickerell> self(this);
  renderer_.tmrRefresh_Timer();
}

bool Tickerell::AmbientUserMode() {
  return UserControl.AmbientUserMode();
}
void Tickerell::SetTimerEnabled(bool enabled) {
  tmrRefresh.SetEnabled(enabled);
}
std::int16_t Tickerell::SkipPixels() {
  return get_SkipPixels();
}
bool Tickerell::Closed() {
  return UserControl.Closed();
}

// ---- Properties ----

std::int32_t Tickerell::get_TimerInterval() const {
  return tmrRefresh.Interval();
}
void Tickerell::put_TimerInterval(std::int32_t vNewValue) {
  tmrRefresh.SetInterval(vNewValue);
}

std::string Tickerell::get_Caption() const {
  return state_.m_Caption;
}
void Tickerell::put_Caption(const std::string& vNewValue) {
  state_.m_Caption = vNewValue;
  SetupMainBufferLines();
}

tk::OleColor Tickerell::get_BackColor() const {
  return UserControl.BackColor();
}
void Tickerell::put_BackColor(tk::OleColor vNewValue) {
  UserControl.SetBackColor(vNewValue);
}

tk::OleColor Tickerell::get_ForeColor() const {
  return state_.m_ForeColor;
}
void Tickerell::put_ForeColor(tk::OleColor vNewValue) {
  state_.m_ForeColor = vNewValue;
  SetupMainBufferLines();
}

com::VARIANT_BOOL Tickerell::get_Scroll() const {
  return state_.m_Scroll != 0 ? com::VARIANT_TRUE : com::VARIANT_FALSE;
}
void Tickerell::put_Scroll(com::VARIANT_BOOL vNewValue) {
  state_.m_Scroll = vNewValue;  // widened with its sign: True is kept as -1
  tmrRefresh.SetEnabled(state_.m_Scroll != 0);
}

com::ComPtr<com::IPictureDisp> Tickerell::get_Picture() const {
  return UserControl.Picture();
}
void Tickerell::putref_Picture(com::ComPtr<com::IPictureDisp> newPicture) {
  UserControl.SetPicture(std::move(newPicture));
}

std::int32_t Tickerell::get_BorderStyle() const {
  return UserControl.BorderStyle();
}
void Tickerell::put_BorderStyle(std::int32_t vNewValue) {
  // Narrowed (and checked) before the surface is touched.
  const std::int16_t style = tk::NarrowInt<std::int16_t>(vNewValue);
  UserControl.SetBorderStyle(style);
}

std::int16_t Tickerell::get_SkipPixels() const {
  return state_.m_SkipPixels;
}
void Tickerell::put_SkipPixels(std::int16_t vNewValue) {
  state_.m_SkipPixels = vNewValue;
}

std::int32_t Tickerell::get_ScrollStart() const {
  return state_.m_ScrollStart;
}
void Tickerell::put_ScrollStart(std::int32_t vNewValue) {
  state_.m_ScrollStart = vNewValue;
  state_.DefaultStartupYpos = vNewValue;
}

std::int32_t Tickerell::get_ScrollEnd() const {
  return state_.m_ScrollEnd;
}
void Tickerell::put_ScrollEnd(std::int32_t vNewValue) {
  state_.m_ScrollEnd = vNewValue;
}

std::int32_t Tickerell::get_Alignment() const {
  return state_.m_Alignment;
}
void Tickerell::put_Alignment(std::int32_t vNewValue) {
  state_.m_Alignment = vNewValue;
}

double Tickerell::get_StartupWait() const {
  return state_.m_StartupWait;
}
void Tickerell::put_StartupWait(double vNewValue) {
  state_.m_StartupWait = vNewValue;
}

std::int32_t Tickerell::get_StartupYpos() const {
  return state_.m_StartupYpos;
}
void Tickerell::put_StartupYpos(std::int32_t vNewValue) {
  state_.m_StartupYpos = vNewValue;
}

std::int32_t Tickerell::get_CurrentYpos() const {
  return state_.m_CurrentYpos;
}
void Tickerell::put_CurrentYpos(std::int32_t vNewValue) {
  state_.m_CurrentYpos = vNewValue;
}

void Tickerell::SetupMainBufferLines() {
  state_.SetupMainBufferLines();
}

// ---- The host ----

com::HRESULT Tickerell::SetClientSite(tk::IControlSite* site) {
  return com::GuardedCall([&] { UserControl.SetSite(site); });
}

com::HRESULT Tickerell::InitNew() {
  return com::GuardedCall([&] { UserControl_InitProperties(); });
}

com::HRESULT Tickerell::Load(com::IPropertyBag* bag) {
  if (!bag) return com::E_POINTER;
  return com::GuardedCall([&] { UserControl_ReadProperties(*bag); });
}

com::HRESULT Tickerell::Save(com::IPropertyBag* bag) {
  if (!bag) return com::E_POINTER;
  return com::GuardedCall([&] { UserControl_WriteProperties(*bag); });
}

com::HRESULT Tickerell::SetObjectRects(int left, int top, int width, int height) {
  return com::GuardedCall([&] { UserControl.SetBounds(left, top, width, height); });
}

com::HRESULT Tickerell::Close() {
  return com::GuardedCall([&] {
    tmrRefresh.SetEnabled(false);
    UserControl.Close();
  });
}

com::HRESULT Tickerell::FindConnectionPoint(const com::IID& events, com::IConnectionPoint** point) {
  return com::OfferPoint(events_.get(), events, point);
}

// ---- Events ----

void Tickerell::RaiseEvent(com::DISPID id, std::span<com::Variant> args) {
  com::ComPtr<Tickerell> self(this);  // the host's handler may let go of the control
  events_->Fire(id, args);
}

void Tickerell::UserControl_Click() {
  RaiseEvent(kEventClick);
}

void Tickerell::UserControl_DblClick() {
  RaiseEvent(kEventDblClick);
}

void Tickerell::UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& x,
                                      float& y) {
  com::Variant args[] = {com::Variant::Ref(&Button), com::Variant::Ref(&Shift),
                         com::Variant::Ref(&x), com::Variant::Ref(&y)};
  RaiseEvent(kEventMouseDown, args);
}

void Tickerell::UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& x,
                                      float& y) {
  com::Variant args[] = {com::Variant::Ref(&Button), com::Variant::Ref(&Shift),
                         com::Variant::Ref(&x), com::Variant::Ref(&y)};
  RaiseEvent(kEventMouseMove, args);
}

void Tickerell::UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& x, float& y) {
  com::Variant args[] = {com::Variant::Ref(&Button), com::Variant::Ref(&Shift),
                         com::Variant::Ref(&x), com::Variant::Ref(&y)};
  RaiseEvent(kEventMouseUp, args);
}

void Tickerell::UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
  com::Variant args[] = {com::Variant::Ref(&KeyCode), com::Variant::Ref(&Shift)};
  RaiseEvent(kEventKeyDown, args);
}

void Tickerell::UserControl_KeyPress(std::int16_t& KeyAscii) {
  com::Variant args[] = {com::Variant::Ref(&KeyAscii)};
  RaiseEvent(kEventKeyPress, args);
}

void Tickerell::UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
  com::Variant args[] = {com::Variant::Ref(&KeyCode), com::Variant::Ref(&Shift)};
  RaiseEvent(kEventKeyUp, args);
}

void Tickerell::UserControl_Paint() {
  // Drawing the text is the renderer's, at each tick.
  RaiseEvent(kEventPaint);
}

}  // namespace tickerell
