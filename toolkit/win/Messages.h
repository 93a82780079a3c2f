#pragma once

#include <windows.h>

#include <array>
#include <string_view>

namespace tk {

// One message as it passes through a control: handlers read it and set Result in place.
// WParam, LParam and Result are pointer-sized, as the window procedure's own arguments are.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// The toolkit's own notifications, sent to controls with Perform. Each is CM_BASE plus a fixed
// offset; the values are part of the toolkit's interface, since code that watches a control's
// messages compares them with these.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
inline constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
inline constexpr UINT CM_RECREATEWND = CM_BASE + 51;
inline constexpr UINT CM_INVALIDATE = CM_BASE + 52;
inline constexpr UINT CM_FLOAT = CM_BASE + 58;
inline constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;

// A parent reflects a notification it receives from a child's native window to the child's
// control as CN_BASE plus the original message.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;

struct TNotificationInfo {
  std::string_view Name;
  UINT Msg;
};

inline constexpr std::array kNotifications{
    TNotificationInfo{"CM_GOTFOCUS", CM_GOTFOCUS},
    TNotificationInfo{"CM_LOSTFOCUS", CM_LOSTFOCUS},
    TNotificationInfo{"CM_DIALOGCHAR", CM_DIALOGCHAR},
    TNotificationInfo{"CM_VISIBLECHANGED", CM_VISIBLECHANGED},
    TNotificationInfo{"CM_ENABLEDCHANGED", CM_ENABLEDCHANGED},
    TNotificationInfo{"CM_TEXTCHANGED", CM_TEXTCHANGED},
    TNotificationInfo{"CM_MOUSEENTER", CM_MOUSEENTER},
    TNotificationInfo{"CM_MOUSELEAVE", CM_MOUSELEAVE},
    TNotificationInfo{"CM_RELEASE", CM_RELEASE},
    TNotificationInfo{"CM_RECREATEWND", CM_RECREATEWND},
    TNotificationInfo{"CM_INVALIDATE", CM_INVALIDATE},
    TNotificationInfo{"CM_FLOAT", CM_FLOAT},
    TNotificationInfo{"CM_BIDIMODECHANGED", CM_BIDIMODECHANGED},
};

// The name of a toolkit notification, for messages in test output and traces; an empty view
// for any other message.
constexpr std::string_view NotificationName(UINT msg) {
  for (const TNotificationInfo& info : kNotifications)
    if (info.Msg == msg) return info.Name;
  return {};
}

static_assert(kNotifications.size() == 13);
static_assert(CM_MOUSEENTER == 0xB013 && CM_MOUSELEAVE == 0xB014);
static_assert(CM_ENABLEDCHANGED == 0xB00C && CM_TEXTCHANGED == 0xB012);
static_assert(CM_VISIBLECHANGED == 0xB00B && CM_INVALIDATE == 0xB034);
static_assert(CM_GOTFOCUS == 0xB002 && CM_LOSTFOCUS == 0xB003);
static_assert(CN_COMMAND == 0xBD11);

}  // namespace tk
