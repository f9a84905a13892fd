#pragma once

// zorva-cli ports / info. argv[1] is the command name.
int RunPortsCommand(int argc, char** argv);
int RunInfoCommand(int argc, char** argv);
