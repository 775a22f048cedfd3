#include <allegro.h>

#include "engine/log.h"
#include "flow/game_app.h"

int main() {
  GameApp app;
  app.init();
  // Without a display the loop would draw into missing buffers; in the game
  // an error ends the process with the fatal message.
  if (!app.ready()) log("Could not start the display", true);
  if (app.ready()) app.start();
  app.shutdown();
  return 0;
}
END_OF_MAIN()
