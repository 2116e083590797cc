#include "tests/fuzz/event_codec.h"

#include <algorithm>

#include "core/elements.h"

namespace zerkan::fuzz {
namespace {

using test::Gesture;

class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Byte(std::uint8_t& out) {
        if (pos_ == size_)
            return false;
        out = data_[pos_++];
        return true;
    }
    bool TextOut(Text& out) {
        std::uint8_t length = 0;
        if (!Byte(length))
            return false;
        std::size_t n = length;
        if (length == 255) {
            std::uint8_t more = 0;
            if (!Byte(more))
                return false;
            n += 16u * more;
        }
        n = std::min(n, size_ - pos_);
        out.assign(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return true;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

constexpr std::size_t kMaxText = 255 + 16 * 255;

int PickerNumber(ControlId picker) {
    for (int i = 0; i < 3; ++i) {
        if (kPickers[i] == picker)
            return i;
    }
    return 0;
}

void PutText(std::vector<std::uint8_t>& out, const Text& text) {
    std::size_t n = std::min(text.size(), kMaxText);
    if (n < 255) {
        out.push_back(static_cast<std::uint8_t>(n));
    } else {
        const std::size_t more = (n - 255) / 16;  // the format carries 255 + 16 * m bytes
        n = 255 + 16 * more;
        out.push_back(255);
        out.push_back(static_cast<std::uint8_t>(more));
    }
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace

std::vector<Gesture> DecodeEvents(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    std::vector<Gesture> events;
    std::uint8_t op = 0;
    while (events.size() < kMaxDecodedEvents && in.Byte(op)) {
        std::uint8_t a = 0, b = 0;
        Gesture event;
        switch (op == 254 ? 8 : op == 255 ? 9 : op % 8) {
            case 0:
            case 3:
                if (!in.Byte(a) || !in.Byte(b))
                    return events;
                events.push_back(Gesture::Choose(kPickers[a % 3], b % kElementCount));
                break;
            case 1:
                if (!in.Byte(a) || !in.TextOut(event.text))
                    return events;
                event.kind = Gesture::Kind::Type;
                event.control = kPickers[a % 3];
                events.push_back(std::move(event));
                break;
            case 2:
                if (!in.TextOut(event.text))
                    return events;
                event.kind = Gesture::Kind::TypeCount;
                events.push_back(std::move(event));
                break;
            case 8: {
                Text count;
                if (!in.Byte(a) || !in.Byte(b) || !in.TextOut(count))
                    return events;
                for (int i = 0; i <= a; ++i) {
                    events.push_back(
                        Gesture::Choose(ControlId::NamePicker, (b + i) % kElementCount));
                    if (!count.empty())
                        events.push_back(Gesture::TypeCount(count));
                    events.push_back(Gesture::Click(ControlId::AddButton));
                }
                break;
            }
            case 9:
                if (!in.Byte(a))
                    return events;
                for (int i = 0; i < 8 * (a + 1); ++i) {
                    events.push_back(Gesture::Click(ControlId::UndoButton));
                }
                break;
            default:
                events.push_back(Gesture::Click(test::kButtons[op % 8 - 4]));
                break;
        }
    }
    events.resize(std::min(events.size(), kMaxDecodedEvents));
    return events;
}

std::vector<std::uint8_t> EncodeEvents(const std::vector<Gesture>& events) {
    std::vector<std::uint8_t> out;
    for (const Gesture& event : events) {
        switch (event.kind) {
            case Gesture::Kind::Choose:
                out.push_back(0);
                out.push_back(static_cast<std::uint8_t>(PickerNumber(event.control)));
                out.push_back(static_cast<std::uint8_t>(event.index));
                break;
            case Gesture::Kind::Type:
                out.push_back(1);
                out.push_back(static_cast<std::uint8_t>(PickerNumber(event.control)));
                PutText(out, event.text);
                break;
            case Gesture::Kind::TypeCount:
                out.push_back(2);
                PutText(out, event.text);
                break;
            case Gesture::Kind::Click:
                for (int i = 0; i < 4; ++i) {
                    if (test::kButtons[i] == event.control)
                        out.push_back(static_cast<std::uint8_t>(4 + i));
                }
                break;
        }
    }
    return out;
}

}  // namespace zerkan::fuzz
