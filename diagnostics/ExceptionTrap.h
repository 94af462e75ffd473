// The process-wide exception trap: one line in the diagnostic log for every
// processor fault (invalid memory access, arithmetic fault, illegal or
// privileged instruction, bus error, stack overflow) and console interrupt,
// and the diagnostic sink through which the trap and the start-up report
// write.
//
// A trap line is the fault's name ("Access violation", "Devision by zero",
// "Stack overflow" ... or empty for faults without a name), "[", the address
// of the faulting instruction, then ", " and each caller address from the
// innermost outward (at most 7), "]"; every address has as many upper-case
// hexadecimal digits as a pointer has. After writing, the trap puts the
// signal's previous handler back and lets the signal take its course, so the
// handling of the fault is unchanged. Exceptions the program throws itself
// never reach the trap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qm {

// The sink: ReportText hands it its text; the trap, running in a signal
// handler, uses the signal-safe variant (which must use only
// async-signal-safe calls).
using TDiagnosticSink = void (*)(const std::string& text);
using TSignalSafeSink = void (*)(const char* text, size_t length) noexcept;

// Installs the signal handlers and gives the calling thread an alternate
// signal stack; a second call does nothing. Console interrupts that were
// ignored when the trap was installed stay ignored.
void InstallExceptionTrap();
// Puts the previous handlers and signal stack back and clears the sink.
void RemoveExceptionTrap();
bool ExceptionTrapInstalled();

// Gives the calling thread an alternate signal stack of its own, so that a
// stack overflow on that thread can still be traced. Threads other than the
// installing one call it once when they start; it lasts until the thread ends.
void PrepareThreadForExceptionTrap();

// Replaces the sink (nullptr: none). Until a signal-safe sink is set, faults
// write nothing.
void SetDiagnosticSink(TDiagnosticSink sink, TSignalSafeSink signalSink);
// Hands text (possibly several lines) to the sink under the trap's lock;
// nothing while no sink is set. Never raises.
void ReportText(const std::string& text);

// The name written for a signal: signo and code as in siginfo_t, faultAddress
// the address the fault touched, stackPointer the interrupted stack pointer
// (a fault next to it is a stack overflow). Empty for faults without a name.
const char* FaultName(int signo, int code, uintptr_t faultAddress, uintptr_t stackPointer) noexcept;

} // namespace qm
