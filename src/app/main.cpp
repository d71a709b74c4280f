#include "app/shell/startup.h"

int main(int argc, char** argv) {
  return zeph::RunZephSms(argc, argv);
}
