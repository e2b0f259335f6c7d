// Events: an object offers one connection point per event interface; a host advises its
// sink (an IDispatch) there and gets a cookie to unadvise with. Raising an event calls
// Invoke(dispid, DISPATCH_METHOD, args) on every sink, synchronously, in the order they
// were advised. Arguments go by reference, so a change a handler makes reaches the raiser.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "com/dispatch.h"
#include "com/object.h"

namespace com {

struct IConnectionPoint : IUnknown {
  using Base = IUnknown;
  static constexpr IID kIid{
      0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

  virtual HRESULT GetConnectionInterface(IID* iid) = 0;
  // The sink must answer IDispatch. Cookies are never 0 and never reused by the point.
  virtual HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) = 0;
  virtual HRESULT Unadvise(std::uint32_t cookie) = 0;  // CONNECT_E_NOCONNECTION if unknown
};

struct IConnectionPointContainer : IUnknown {
  using Base = IUnknown;
  static constexpr IID kIid{
      0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

  virtual HRESULT FindConnectionPoint(const IID& events, IConnectionPoint** point) = 0;
};

// The connection point an event source keeps for one event interface.
class ConnectionPoint : public Object<IConnectionPoint> {
 public:
  explicit ConnectionPoint(const IID& events) : events_(events) {}

  HRESULT GetConnectionInterface(IID* iid) override;
  HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) override;
  HRESULT Unadvise(std::uint32_t cookie) override;

  // Calls every sink advised when the event is raised; a sink unadvised by an earlier
  // handler of the same event is skipped. A sink's failure does not stop the others.
  void Fire(DISPID id, std::span<Variant> args = {});
  const IID& events() const { return events_; }

 private:
  IID events_;
  std::uint32_t next_cookie_ = 1;
  std::map<std::uint32_t, ComPtr<IDispatch>> sinks_;
};

// For an object's FindConnectionPoint: hands out `point` when it serves `events`.
HRESULT OfferPoint(ConnectionPoint* point, const IID& events, IConnectionPoint** out);

// Host side: advises `sink` on the source's point for `events`; raises on failure.
std::uint32_t Advise(IUnknown* source, const IID& events, IDispatch* sink);
void Unadvise(IUnknown* source, const IID& events, std::uint32_t cookie);

// A host's sink (a sink that holds a reference to its source must be unadvised before the
// host lets go of the source, or the two keep each other alive): handlers by dispatch identifier.
// An event without a handler is ignored. A handler's tk::RuntimeError goes back to the raiser as
// DISP_E_EXCEPTION.
class EventSink : public Object<IDispatch> {
 public:
  using Handler = std::function<void(std::span<Variant> args)>;
  void On(DISPID id, Handler handler) { handlers_[id] = std::move(handler); }

  HRESULT GetIDsOfNames(std::span<const std::string_view> names, DISPID* ids) override;
  HRESULT Invoke(DISPID id, DispatchFlags flags, std::span<Variant> args, Variant* result,
                 ExcepInfo* excep, unsigned* arg_err) override;

 private:
  std::map<DISPID, Handler> handlers_;
};

}  // namespace com
