namespace tastolino { int resultsLibraryPlaceholder = 0; }
