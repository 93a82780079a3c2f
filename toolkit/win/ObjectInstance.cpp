#include "ObjectInstance.h"

#include <array>
#include <mutex>
#include <utility>

#include "toolkit/core/Exception.h"

namespace tk {

namespace {

constexpr const char* kNoInstanceMessage = "Out of object instances";

std::array<TWndMethod, kObjectInstanceCount> instanceMethods;
std::mutex instanceLock;

// Nothing thrown by the method reaches Windows; the message answers what Result holds.
template <std::size_t Index>
LRESULT CALLBACK InstanceProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TMessage message{msg, wParam, lParam, 0};
  try {
    instanceMethods[Index](message);
  } catch (...) {
  }
  return message.Result;
}

template <std::size_t... Index>
constexpr std::array<WNDPROC, sizeof...(Index)> InstanceProcs(std::index_sequence<Index...>) {
  return {&InstanceProc<Index>...};
}

constexpr std::array kInstanceProcs =
    InstanceProcs(std::make_index_sequence<kObjectInstanceCount>{});

}  // namespace

WNDPROC MakeObjectInstance(const TWndMethod& method) {
  if (!method) return nullptr;
  const std::lock_guard lock(instanceLock);
  for (std::size_t i = 0; i < kObjectInstanceCount; ++i)
    if (!instanceMethods[i]) {
      instanceMethods[i] = method;
      return kInstanceProcs[i];
    }
  throw EOutOfResources(kNoInstanceMessage);
}

void FreeObjectInstance(WNDPROC instance) {
  const std::lock_guard lock(instanceLock);
  for (std::size_t i = 0; i < kObjectInstanceCount; ++i)
    if (kInstanceProcs[i] == instance) instanceMethods[i] = TWndMethod();
}

}  // namespace tk
