// The Tickerell control: its automation face (_Tickerell, dual), its events (__Tickerell,
// through a connection point) and its side of the contract with a host (tk::IControl).
// It owns the instance state, the drawing surface (the base object UserControl), the
// timer tmrRefresh and the renderer that the timer drives.
//
// The property procedures below are the members of _Tickerell; the dispatch table, the
// life-cycle handlers and the host all go through them, so a setter's effects (timer,
// surface, rebuilding the line buffer) always take place. No setter redraws: the next
// tick shows the change.
#pragma once

#include <cstdint>
#include <string>

#include "com/connection_point.h"
#include "com/dispatch_table.h"
#include "com/picture_object.h"
#include "tickerell_renderer.h"
#include "tickerell_state.h"
#include "toolkit/activex/control_site.h"
#include "toolkit/activex/user_control.h"
#include "toolkit/ui/colors.h"
#include "toolkit/ui/timer.h"

namespace tickerell {

class Tickerell : public com::DispatchObject<Tickerell, com::IDispatch, tk::IControl,
                                             com::IConnectionPointContainer>,
                  private TickHost {
 public:
  Tickerell();
  ~Tickerell() override;

  static const com::DispatchTable& Members();

  // ---- _Tickerell ----
  std::int32_t get_TimerInterval() const;
  void put_TimerInterval(std::int32_t vNewValue);
  std::string get_Caption() const;
  void put_Caption(const std::string& vNewValue);
  tk::OleColor get_BackColor() const;
  void put_BackColor(tk::OleColor vNewValue);
  tk::OleColor get_ForeColor() const;
  void put_ForeColor(tk::OleColor vNewValue);
  com::VARIANT_BOOL get_Scroll() const;
  void put_Scroll(com::VARIANT_BOOL vNewValue);
  com::ComPtr<com::IPictureDisp> get_Picture() const;
  void putref_Picture(com::ComPtr<com::IPictureDisp> newPicture);
  std::int32_t get_BorderStyle() const;
  void put_BorderStyle(std::int32_t vNewValue);
  std::int16_t get_SkipPixels() const;
  void put_SkipPixels(std::int16_t vNewValue);
  std::int32_t get_ScrollStart() const;
  void put_ScrollStart(std::int32_t vNewValue);
  std::int32_t get_ScrollEnd() const;
  void put_ScrollEnd(std::int32_t vNewValue);
  std::int32_t get_Alignment() const;
  void put_Alignment(std::int32_t vNewValue);
  double get_StartupWait() const;
  void put_StartupWait(double vNewValue);
  std::int32_t get_StartupYpos() const;
  void put_StartupYpos(std::int32_t vNewValue);
  std::int32_t get_CurrentYpos() const;
  void put_CurrentYpos(std::int32_t vNewValue);
  void SetupMainBufferLines();

  // ---- tk::IControl ----
  com::HRESULT SetClientSite(tk::IControlSite* site) override;
  com::HRESULT InitNew() override;
  com::HRESULT Load(com::IPropertyBag* bag) override;
  com::HRESULT Save(com::IPropertyBag* bag) override;
  com::HRESULT SetObjectRects(int left, int top, int width, int height) override;
  com::HRESULT Close() override;

  // ---- com::IConnectionPointContainer ----
  com::HRESULT FindConnectionPoint(const com::IID& events, com::IConnectionPoint** point) override;

  // The instance's inside, for white-box tests.
  const TickerellState& State() const { return state_; }
  tk::UserControl& Surface() { return UserControl; }
  tk::Timer& RefreshTimer() { return tmrRefresh; }

 private:
  // Life cycle (tickerell_lifecycle.cpp).
  void UserControl_Initialize();
  void UserControl_InitProperties();
  void UserControl_ReadProperties(com::IPropertyBag& PropBag);
  void UserControl_WriteProperties(com::IPropertyBag& PropBag);
  // The host's name for the instance, as the extender returns it.
  com::Variant ExtenderName() const;

  // Events of the base object, raised on to the host.
  void UserControl_Click();
  void UserControl_DblClick();
  void UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
  void UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
  void UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& x, float& y);
  void UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift);
  void UserControl_KeyPress(std::int16_t& KeyAscii);
  void UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift);
  void UserControl_Paint();
  void RaiseEvent(com::DISPID id, std::span<com::Variant> args = {});

  void tmrRefresh_Timer();

  // TickHost
  bool AmbientUserMode() override;
  void SetTimerEnabled(bool enabled) override;
  std::int16_t SkipPixels() override;
  bool Closed() override;

  TickerellState state_;
  tk::UserControl UserControl;
  tk::Timer tmrRefresh;
  Renderer renderer_;
  com::ComPtr<com::ConnectionPoint> events_;
};

// A picture object given by reference (Nothing included); raises Type mismatch (13) for
// a value that is no object, or an object that is no picture.
com::ComPtr<com::IPictureDisp> PictureArgument(const com::Variant& value);

}  // namespace tickerell
