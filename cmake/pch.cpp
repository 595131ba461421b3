// The unit that the shared precompiled headers are built with (see FastBuild.cmake).
