#pragma once

// zorva-cli download: connects, downloads the history page by page and writes it as a record file.
// Ctrl-C (SIGINT) or SIGTERM cancels the running exchange and leaves no file. argv[1] is "download".
int RunDownloadCommand(int argc, char** argv);
// zorva-cli export: reads a record file, selects a time range like the history window's query and
// writes the text or CSV export the window's save would write. argv[1] is "export".
int RunExportCommand(int argc, char** argv);
