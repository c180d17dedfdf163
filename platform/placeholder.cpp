// Platform services: each behind a small interface the windows are handed.
