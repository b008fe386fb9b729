#pragma once

#include <functional>

class QObject;

namespace decant {

// Runs `work` on the thread of the application's event loop, later, without
// waiting for it. Safe to call from any thread, the main thread included.
// Needs a QCoreApplication (or subclass) to exist.
void runOnMainThread(std::function<void()> work);

// The same, but the work is dropped when `context` (a QObject of the main
// thread) is destroyed before it runs: posted work never outlives its owner.
void runOnMainThread(const QObject* context, std::function<void()> work);

// True on the thread that runs the application's event loop.
bool isMainThread();

} // namespace decant
