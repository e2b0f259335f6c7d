#include "com/picture_object.h"

#include <cmath>
#include <cstdint>

#include "com/dispatch_table.h"

namespace com {

namespace {

class PictureObject : public DispatchObject<PictureObject, IPictureDisp> {
 public:
  explicit PictureObject(tk::PictureRef picture) : picture_(std::move(picture)) {}

  tk::PictureRef picture() const override { return picture_; }

  static const DispatchTable& Members() {
    static const DispatchTable table =
        com::Members<PictureObject>("Picture")
            .Property("Handle", DISPID_PICT_HANDLE, VT_I4,
                      [](PictureObject& p) {
                        // A stand-in handle: stable for the image, 0 for none.
                        const auto bits = reinterpret_cast<std::uintptr_t>(p.picture_.get());
                        return Variant(static_cast<std::int32_t>((bits >> 4) & 0x7FFFFFFF) |
                                       (p.picture_ ? 1 : 0));
                      })
            .Property("Width", DISPID_PICT_WIDTH, VT_I4,
                      [](PictureObject& p) {
                        return Variant(PixelsToHimetric(p.picture_ ? p.picture_->width() : 0));
                      })
            .Property("Height", DISPID_PICT_HEIGHT, VT_I4,
                      [](PictureObject& p) {
                        return Variant(PixelsToHimetric(p.picture_ ? p.picture_->height() : 0));
                      })
            .Property("Type", DISPID_PICT_TYPE, VT_I2,
                      [](PictureObject& p) { return Variant(std::int16_t(p.picture_ ? 1 : 0)); })
            .Build();
    return table;
  }

 private:
  tk::PictureRef picture_;
};

}  // namespace

int PixelsToHimetric(int pixels) {
  return static_cast<int>(std::lround(pixels * 2540.0 / 96.0));
}

ComPtr<IPictureDisp> CreatePicture(tk::PictureRef picture) {
  return ComPtr<IPictureDisp>(Make<PictureObject>(std::move(picture)));
}

ComPtr<IPictureDisp> EmptyPicture() {
  return CreatePicture(nullptr);
}

tk::PictureRef PictureOf(const Variant& value) {
  const Variant v = value.Deref();
  if (!v.is_object() || !v.object()) return nullptr;
  ComPtr<IPictureDisp> p;
  if (Failed(v.object()->QueryInterface(IPictureDisp::kIid, p.PutVoid()))) return nullptr;
  return p->picture();
}

}  // namespace com
