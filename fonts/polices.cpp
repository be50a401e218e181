// The faces live in this library's resources; this file gives the library something to compile.
