#pragma once
// Pushing a running countdown's end further on, and the program a start-up
// waits for: the two switches, the arithmetic and the texts.
#include <cstdint>
#include <string>
#include <vector>

// What the tray item and the countdown window's button add.
constexpr int kPostponeMinutes = 10;
// "-reporter:MM" takes 1 to this many minutes.
constexpr int kMaxPostponeMinutes = 1440;

// The minutes of the last well-formed "-reporter:MM" (whole minutes, digits
// only, 1 to 1440); 0 when there is none. Bad ones are ignored.
int PostponeSwitch(const std::vector<std::string>& tokens);
// Adds whole minutes to the time left h:m:s. False, leaving all three alone,
// when the total would pass the largest delay a countdown takes (99:59:59) or
// the minutes are out of range.
bool AddMinutes(std::uint8_t& h, std::uint8_t& m, std::uint8_t& s, int minutes);

// The program named by the last "-attendre:NOM" with a name; empty when none.
std::string WaitSwitch(const std::vector<std::string>& tokens);
// Whether a process list holds the program: file names compared without case
// (Latin letters, accented ones too), the folders the 95 family gives dropped.
bool ProgramRuns(const std::vector<std::string>& processes, const std::string& program);

std::string WaitTip(const std::string& program);
std::string NotRunningText(const std::string& program);
// Where the system gives no process list at all.
std::string NoProcessListText(const std::string& program);
