// Keeps the library non-empty until the main window lands.
namespace tastolino { int appLibraryPlaceholder = 0; }
