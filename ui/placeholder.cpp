// The windows and the controls kit.
