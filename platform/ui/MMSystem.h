// The multimedia timer: timeSetEvent/timeKillEvent, each event running its callback on a
// thread of its own.
#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"

// Called on the event's own thread with the event id, 0, the caller's value and two zeros.
typedef void (*LPTIMECALLBACK)(UINT timerId, UINT msg, DWORD_PTR user, DWORD_PTR dw1,
                               DWORD_PTR dw2);

// Event kinds; the callback-kind and kill flags are accepted for source compatibility (every
// event calls a function, and every kill from another thread is synchronous here).
constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIME_CALLBACK_FUNCTION = 0x0000;
constexpr UINT TIME_KILL_SYNCHRONOUS = 0x0100;

constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;

// Starts an event that calls `callback` after delayMs, and then every delayMs when flags has
// TIME_PERIODIC. Periodic calls keep to the deadlines start + k * delayMs; a call that
// overruns one or more deadlines is followed by the next deadline still ahead, never by a
// burst of late calls. The resolution is ignored. Answers the event's id (never 0, never
// reused in a run), or 0 for a null callback, a zero delay, unknown flags, or when no thread
// could be started.
UINT timeSetEvent(UINT delayMs, UINT resolutionMs, LPTIMECALLBACK callback, DWORD_PTR user,
                  UINT flags);

// Stops an event. From any other thread it returns only once the event's thread has ended:
// a callback already running completes first and none starts afterwards, so the callback's
// target may be destroyed right after. From inside the event's own callback it marks the
// event stopped and returns at once; the thread ends when the callback returns. A one-shot
// event is gone once its callback has returned, so killing it then, like killing an unknown
// or already killed id, answers MMSYSERR_INVALPARAM.
MMRESULT timeKillEvent(UINT id);

// For tests: how many event threads have not yet ended (threads of events killed from their
// own callback count until they have).
size_t MMTimerThreadCount();
