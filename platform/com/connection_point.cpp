#include "com/connection_point.h"

#include "com/hresult_errors.h"
#include "runtime/errors.h"

namespace com {

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = events_;
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, std::uint32_t* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  ComPtr<IDispatch> d;
  if (Failed(sink->QueryInterface(IDispatch::kIid, d.PutVoid()))) return CONNECT_E_CANNOTCONNECT;
  *cookie = next_cookie_++;
  sinks_.emplace(*cookie, std::move(d));
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(std::uint32_t cookie) {
  return sinks_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

void ConnectionPoint::Fire(DISPID id, std::span<Variant> args) {
  // A handler may advise or unadvise while we call: walk the cookies as they stood.
  std::vector<std::uint32_t> cookies;
  cookies.reserve(sinks_.size());
  for (const auto& [cookie, sink] : sinks_) cookies.push_back(cookie);
  for (std::uint32_t cookie : cookies) {
    auto it = sinks_.find(cookie);
    if (it == sinks_.end()) continue;
    ComPtr<IDispatch> sink = it->second;  // stays alive through its own Unadvise
    sink->Invoke(id, DISPATCH_METHOD, args, nullptr, nullptr, nullptr);
  }
}

HRESULT OfferPoint(ConnectionPoint* point, const IID& events, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!point || !(point->events() == events)) return CONNECT_E_NOCONNECTION;
  point->AddRef();
  *out = point;
  return S_OK;
}

std::uint32_t Advise(IUnknown* source, const IID& events, IDispatch* sink) {
  if (!source || !sink) RaiseForHResult(E_POINTER);
  ComPtr<IConnectionPointContainer> container;
  Check(source->QueryInterface(IConnectionPointContainer::kIid, container.PutVoid()));
  ComPtr<IConnectionPoint> point;
  Check(container->FindConnectionPoint(events, point.Put()));
  std::uint32_t cookie = 0;
  Check(point->Advise(sink, &cookie));
  return cookie;
}

void Unadvise(IUnknown* source, const IID& events, std::uint32_t cookie) {
  if (!source) RaiseForHResult(E_POINTER);
  ComPtr<IConnectionPointContainer> container;
  Check(source->QueryInterface(IConnectionPointContainer::kIid, container.PutVoid()));
  ComPtr<IConnectionPoint> point;
  Check(container->FindConnectionPoint(events, point.Put()));
  Check(point->Unadvise(cookie));
}

HRESULT EventSink::GetIDsOfNames(std::span<const std::string_view> names, DISPID* ids) {
  if (!ids) return E_POINTER;
  for (size_t i = 0; i < names.size(); ++i) ids[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT EventSink::Invoke(DISPID id, DispatchFlags, std::span<Variant> args, Variant*,
                          ExcepInfo* excep, unsigned*) {
  auto it = handlers_.find(id);
  if (it == handlers_.end()) return S_OK;
  return GuardedCall(
      [&] {
        Handler handler = it->second;  // the handler may replace itself
        handler(args);
      },
      "EventSink", excep);
}

}  // namespace com
