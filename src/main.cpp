#include <allegro.h>

#include "flow/game_app.h"

int main() {
  GameApp app;
  app.init();
  app.start();
  app.shutdown();
  return 0;
}
END_OF_MAIN()
