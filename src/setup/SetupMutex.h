// The single-instance mutex that keeps setup processes to one.
#pragma once

// True when another setup process holds the mutex; takes nothing.
bool SetupMutexExists();

// Takes the mutex for this process, which keeps it until it ends. False when another setup
// process holds it, also one that runs with more rights and whose mutex refuses this process.
bool TakeSetupMutex();
