#pragma once
// The settings file a fresh install gives Sektra.
namespace sektra {

// Writes "TimerMode"=1, "ShowInterval"=100, "PerFrq"=0, "PerformCells"=201, in this order,
// replacing whatever the file held. 0, or -1 when the file cannot be written.
int WriteFirstSettings(const wchar_t* path);

}  // namespace sektra
