#include "support/PortHolder.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "device/SerialPort.h"

PortHolder::PortHolder(int port) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
        CSerialPort holder;
        const char ok = holder.Open(port, 115200, 'n', 8, 1) ? 1 : 0;
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char ok = 0;
    if (child_ > 0 && ::read(ready[0], &ok, 1) == 1) holds_ = ok == 1;
    ::close(ready[0]);
}

PortHolder::~PortHolder() { Release(); }

void PortHolder::Release() {
    if (child_ <= 0) return;
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
    child_ = -1;
}
