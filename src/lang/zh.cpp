// zh pack: filled by its owner
