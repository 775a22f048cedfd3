#include <allegro.h>

#include "flow/demo_app.h"

int main() {
  DemoApp app;
  app.init();
  app.start();
  app.shutdown();
  return 0;
}
END_OF_MAIN()
