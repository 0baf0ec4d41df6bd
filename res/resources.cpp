// The resource scripts of this folder are built into the object library "resources"; this
// file only gives the folder a source of its own so the build picks it up.
