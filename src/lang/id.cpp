// id pack: filled by its owner
