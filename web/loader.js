// The program's start in the page: it compiles the program from the bytes the page has
// already fetched (see MorvaneLoad in index.html), so a server's MIME type for it does not
// matter and it is downloaded once, and it puts the pictures into the program's file system
// before the program starts, so the program reads them by bare name as on the desktop. A
// picture missing from the pack is simply absent, and the program says so.

/* global Module, MorvaneLoad, MorvaneAnnounce, FS, addRunDependency, removeRunDependency */
Module['instantiateWasm'] = function (imports, receive) {
  MorvaneLoad.program
    .then(function (bytes) {
      return WebAssembly.instantiate(bytes, imports);
    })
    .then(
      function (result) {
        performance.mark('morvane: program compiled');
        receive(result.instance, result.module);
      },
      function (error) {
        MorvaneLoad.fail(error);
      },
    );
  return {};
};

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  addRunDependency('pictures');
  MorvaneLoad.pictures.then(
    function (files) {
      files.forEach(function (file) {
        FS.writeFile('/' + file.name, file.bytes);
      });
      MorvaneAnnounce.learn(files);
      removeRunDependency('pictures');
    },
    function () {
      // The page has said what failed; the program does not start without its pictures.
    },
  );
});
