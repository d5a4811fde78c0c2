#pragma once
// A minimal synchronous signal: the tables' events and change notifications.
// Handlers are called in the order they connected; a handler may disconnect
// itself or others while the signal is being emitted.
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace rb {

template <typename... Args>
class Signal {
 public:
  using Handler = std::function<void(Args...)>;
  using Connection = std::size_t;

  Connection connect(Handler handler) {
    handlers_.push_back({++lastId_, std::move(handler)});
    return lastId_;
  }

  void disconnect(Connection id) {
    for (auto& slot : handlers_)
      if (slot.id == id) slot.handler = nullptr;
    if (emitting_ == 0) compact();
  }

  void emit(Args... args) {
    ++emitting_;
    struct Guard {
      Signal* self;
      ~Guard() {
        if (--self->emitting_ == 0) self->compact();
      }
    } guard{this};
    // Handlers connected during the emission are not called by it.
    const std::size_t count = handlers_.size();
    for (std::size_t i = 0; i < count; ++i) {
      if (handlers_[i].handler) {
        auto handler = handlers_[i].handler;  // survives a disconnect from inside
        handler(args...);
      }
    }
  }

  bool empty() const {
    for (const auto& slot : handlers_)
      if (slot.handler) return false;
    return true;
  }

 private:
  struct Slot {
    Connection id;
    Handler handler;
  };
  void compact() {
    std::erase_if(handlers_, [](const Slot& slot) { return !slot.handler; });
  }
  std::vector<Slot> handlers_;
  Connection lastId_ = 0;
  int emitting_ = 0;
};

}  // namespace rb
