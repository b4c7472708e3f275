/* A second process for the port tests: loads a reader library and opens a port.
 *   open_probe LIB PORT open    prints the result of rs_PortOpen
 *   open_probe LIB PORT hold    prints it, then holds the port until killed
 *   open_probe LIB PORT unload  opens, unloads the library with the port open, loads it again
 *                               and opens again: prints both results */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

typedef int (*open_fn)(const char *);

static int open_with(void *lib, const char *port) {
  open_fn f;
  void *sym = dlsym(lib, "rs_PortOpen");
  memcpy(&f, &sym, sizeof f); /* the portable way from object to function pointer */
  return f ? f(port) : -12345;
}

int main(int argc, char **argv) {
  if (argc != 4) return 2;
  void *lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!lib) {
    fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  printf("%d", open_with(lib, argv[2]));
  fflush(stdout);
  if (strcmp(argv[3], "hold") == 0) {
    printf("\n");
    fflush(stdout);
    for (;;) pause();
  }
  if (strcmp(argv[3], "unload") == 0) {
    dlclose(lib);
    lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    printf(" %d", lib ? open_with(lib, argv[2]) : -12345);
  }
  printf("\n");
  return 0;
}
