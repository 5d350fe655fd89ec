#pragma once
// Restarts Windows so that the files that wait for the next start take their places: at once on
// Windows 95; on Windows NT after the shutdown privilege has been enabled. When it cannot be, the
// message of the string table names the failing call and its error code (not shown when quiet,
// in an unattended run) and nothing restarts. true when the restart is under way.
bool RestartWindows(bool isNT, bool quiet);
