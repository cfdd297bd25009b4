#pragma once

// A seam through which tests make one step of a write fail, to prove that every command that writes
// tells the user, keeps the earlier data and leaves no temporary file behind.
//
// Every layer that writes a file (the record archives, whole-file replacement, exports, attachments,
// backups) asks `fails(step)` just before it opens, writes, flushes or renames; when the answer is
// true it behaves exactly as if the operating system had refused that step. The program never arms
// the seam, so in normal runs every answer is false; the counting costs one atomic increment.
namespace FaultInjection {

enum class Step { Open, Write, Flush, Rename };

// Counts the step; true when it is the one armed to fail.
bool fails(Step step);

// Makes the nth step from now (1-based, any kind) fail, once; 0 disarms.
void failNthStep(int n);
// Steps counted since the last reset (armed or not): a test first counts an action's steps, then
// fails each of them in turn.
int stepsSeen();
void reset();

}  // namespace FaultInjection
