#include "line_buffer.h"

#include "runtime/errors.h"

namespace tickerell {

LineFormat DefaultLineFormat() {
  LineFormat format;
  format.Name = "MS Sans Serif";
  format.Size = 10;
  format.Weight = 10;
  return format;
}

void LineBufferArray::Clear() {
  for (BufferLine& line : records_) line = BufferLine{};
}

std::size_t LineBufferArray::Slot(int index) {
  if (index < kLowerBound || index > kUpperBound) tk::Raise(tk::kSubscriptOutOfRange);
  return static_cast<std::size_t>(index - kLowerBound);
}

}  // namespace tickerell
