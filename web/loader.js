// The program's start in the page: it instantiates the program the page has already
// fetched and compiled from its bytes (see MorvaneLoad in index.html), so a server's MIME
// type for it does not matter and it is downloaded once, and it puts the pictures into the program's file system
// before the program starts, so the program reads them by bare name as on the desktop. A
// picture missing from the pack is simply absent, and the program says so.

/* global Module, MorvaneLoad, FS, addRunDependency, removeRunDependency */
performance.mark('morvane: script running');
Module['onRuntimeInitialized'] = function () {
  performance.mark('morvane: main begins');
};
Module['instantiateWasm'] = function (imports, receive) {
  MorvaneLoad.program
    .then(function (module) {
      return WebAssembly.instantiate(module, imports).then(function (instance) {
        performance.mark('morvane: program instantiated');
        receive(instance, module);
      });
    })
    .then(
      function () {},
      function (error) {
        MorvaneLoad.fail(error);
      },
    );
  return {};
};

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  // The script may arrive before the page's elements: the program starts after them.
  if (document.readyState === 'loading') {
    addRunDependency('page');
    document.addEventListener('DOMContentLoaded', function () {
      removeRunDependency('page');
    });
  }
  addRunDependency('pictures');
  MorvaneLoad.pictures.then(
    function (files) {
      files.forEach(function (file) {
        // The file system keeps the unpacked bytes as they are, without a copy.
        FS.writeFile('/' + file.name, file.bytes, { canOwn: true });
      });
      removeRunDependency('pictures');
    },
    function () {
      // The page has said what failed; the program does not start without its pictures.
    },
  );
});
