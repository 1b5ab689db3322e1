/* a DLL target needs one source of its own; the code comes from the archive */
