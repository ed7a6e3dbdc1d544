// Ending the program by a signal while a dialog has SDL's attention.
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>

#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

namespace {

// A signal to end the program normally reaches SDL, which turns it into a quit event that the
// next yield delivers. While a dialog runs its own loop no yield comes, so the program ends at
// once instead, writing nothing, with the status the dialog would have led to.
volatile std::sig_atomic_t gDialogExitStatus = -1;  // no dialog open
struct sigaction gSdlOnTerm {};
struct sigaction gSdlOnInt {};

extern "C" void OnEndSignal(int signal) {
  if (gDialogExitStatus >= 0) _exit(gDialogExitStatus);
  const struct sigaction& sdl = signal == SIGTERM ? gSdlOnTerm : gSdlOnInt;
  if (sdl.sa_handler != SIG_DFL && sdl.sa_handler != SIG_IGN) {
    sdl.sa_handler(signal);
  } else if (sdl.sa_handler == SIG_DFL) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
  }
}

// SDL shows a dialog from a child process it forks and waits for. Should the program end while
// the child shows it, the child goes too.
extern "C" void OnForkedChild() {
  if (gDialogExitStatus >= 0) prctl(PR_SET_PDEATHSIG, SIGKILL);
}

}  // namespace

EndSignals::EndSignals() {
  static const int registered = pthread_atfork(nullptr, nullptr, OnForkedChild);
  (void)registered;
  struct sigaction mine {};
  mine.sa_handler = OnEndSignal;
  sigemptyset(&mine.sa_mask);
  sigaction(SIGTERM, &mine, &gSdlOnTerm);
  sigaction(SIGINT, &mine, &gSdlOnInt);
}

EndSignals::~EndSignals() {
  sigaction(SIGTERM, &gSdlOnTerm, nullptr);
  sigaction(SIGINT, &gSdlOnInt, nullptr);
}

DialogOpen::DialogOpen(int exitStatus) {
  gDialogExitStatus = exitStatus;
}

DialogOpen::~DialogOpen() {
  gDialogExitStatus = -1;
}

}  // namespace vormelda::sdl
