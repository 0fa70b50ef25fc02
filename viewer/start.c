/* What the start code calls once the stacks are set: copies the IWRAM part of the program
 * (fast code and initialised data) from the cartridge, clears the zero-initialised data
 * and runs main. */
#include <stdint.h>
#include <string.h>

/* Symbols of the linker script. */
extern uint8_t IwramStart[];
extern uint8_t IwramEnd[];
extern const uint8_t IwramLoad[];
extern uint8_t BssStart[];
extern uint8_t BssEnd[];

int main(void);
void StartProgram(void);

void StartProgram(void) {
  memcpy(IwramStart, IwramLoad, (size_t)(IwramEnd - IwramStart));
  memset(BssStart, 0, (size_t)(BssEnd - BssStart));
  main();
  for (;;) {
  }
}
