#pragma once

#include <QString>
#include <functional>

class TGUI2Console;

// Size of one read from the child's output, in bytes.
enum TBufferSize : int { bs256 = 256, bs512 = 512, bs1k = 1024, bs2k = 2048, bs4k = 4096, bs8k = 8192 };

// Pipe buffer size requested from the system, in bytes.
enum TPipeSize : int {
    ps1k = 1024,
    ps2k = 2048,
    ps4k = 4096,
    ps8k = 8192,
    ps16k = 16384,
    ps32k = 32768,
    ps64k = 65536,
    ps96K = 98304,
    ps128k = 131072,
    ps256k = 262144
};

// Kept for the project's settings; every kind of program gets a process group of its own on Linux.
enum TAppType : int { at16bit, at32bit, atDontCare };

enum TThreadPriority : int { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

constexpr int MinTimeOutDelay = 10;
constexpr int MaxTimeOutDelay = 10000;

// Every event is raised on the runner's (the user-interface) thread; the worker waits until it returns.
using TStartEvent = std::function<void(TGUI2Console* Sender, const QString& Command)>;
using TDoneEvent = std::function<void(TGUI2Console* Sender)>;
using TSendLine = std::function<void(TGUI2Console* Sender, const QString& Line)>;
using TError = std::function<void(TGUI2Console* Sender, const QString& Error)>;
using TTimeOut = std::function<void(TGUI2Console* Sender, bool& Kill)>;
using TStatusEvent = std::function<void(TGUI2Console* Sender, const QString& Status)>;
using TPromptEvent = std::function<void(TGUI2Console* Sender, const QString& Line)>;
using TPreTerminateEvent = std::function<void(TGUI2Console* Sender)>;

// What a worker copies from its runner when a run starts; later changes to the runner do not reach it.
struct TConsoleProperties {
    int TimeOutDelay = 50;
    TPipeSize PipeSize = ps128k;
    TBufferSize BufferSize = bs1k;
    bool AutoTerminate = false;
    QString LogFile;
    QString Environment;
    QString Application;
    TAppType AppType = at32bit;
    QString Command;
    QString Prompt;
    QString HomeDirectory;
    TThreadPriority Priority = tpNormal;
};

struct TConsoleEvents {
    TStartEvent OnStart;
    TDoneEvent OnDone;
    TSendLine OnLine;
    TError OnError;
    TTimeOut OnTimeOut;
    TStatusEvent OnStatus;
    TPromptEvent OnPrompt;
    TPreTerminateEvent OnPreTerminate;
};
