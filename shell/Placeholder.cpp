// Keeps the GUI library non-empty until the shell lands.
namespace shell_placeholder { int unused = 0; }
